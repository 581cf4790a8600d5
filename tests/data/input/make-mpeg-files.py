#!/usr/bin/env python3
"""Makes the MPEG files of the input plug-in's table test (LAME 3.100, sox 14.4).

    tests/data/input/make-mpeg-files.py OUTPUT-FOLDER

The signal is a 4 s sine sweep (200 Hz to 6000 Hz, 44.1 kHz, mono, amplitude
16000); the test computes the same sweep. The low-rate files encode a sweep
that stays below their band (200 Hz to 1800 Hz) with bursts of noise added,
so that their frames switch to short blocks.
"""
import math, os, random, struct, subprocess, sys, tempfile, wave

RATE, SECONDS, CUT = 44100, 4.0, 89703  # CUT: where the gapless pair is split


def sweep(n, top=6000):
    t = n / RATE
    return int(round(16000 * math.sin(2 * math.pi * (200 * t + (top - 200) * t * t / (2 * SECONDS)))))


def write_wave(path, samples, rate=RATE):
    with wave.open(path, 'wb') as w:
        w.setnchannels(1), w.setsampwidth(2), w.setframerate(rate)
        w.writeframes(struct.pack('<%dh' % len(samples), *samples))


def syncsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def id3v2(version, body, flags=0, footer=False):
    tag = b'ID3' + bytes([version, 0, flags]) + syncsafe(len(body)) + body
    return tag + (b'3DI' + bytes([version, 0, flags]) + syncsafe(len(body)) if footer else b'')


def text_frame(version, name, payload):
    size = syncsafe(len(payload)) if version == 4 else struct.pack('>I', len(payload))
    return name + size + b'\0\0' + payload


def noise_with_false_syncs(n):
    """Random bytes with a header every 300 bytes: MPEG-1 Layer III at 32 kHz and MPEG-2."""
    b = bytearray(random.getrandbits(8) for _ in range(n))
    for k in range(50, n - 8, 300):
        b[k:k + 4] = bytes([0xFF, 0xFB, 0x98, 0x44] if (k // 300) % 2 else [0xFF, 0xF3, 0x54, 0xC4])
    return bytes(b)


def frame_length(h):  # MPEG-1 Layer III at 44.1 kHz
    rates = [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320]
    return 144000 * rates[h[2] >> 4] // 44100 + ((h[2] >> 1) & 1)


def with_vbri(audio):
    """A VBRI frame (128 kbit/s, mono, silent) in front of a stream without one."""
    offsets, at = [], 0
    while at + 4 <= len(audio) and audio[at] == 0xFF:
        offsets.append(at)
        at += frame_length(audio[at:at + 4])
    per = 4
    entries = (len(offsets) + per - 1) // per
    table = b''.join(struct.pack('>H', (offsets[(e + 1) * per] if (e + 1) * per < len(offsets)
                                        else len(audio)) - offsets[e * per]) for e in range(entries))
    vbri = b'VBRI' + struct.pack('>HHHIIHHHH', 1, 1104, 75, len(audio) + 417, len(offsets),
                                 entries, 1, 2, per) + table
    first = bytearray(417)
    first[0:4] = bytes([0xFF, 0xFB, 0x90, 0xC4])
    first[36:36 + len(vbri)] = vbri
    return bytes(first) + audio


def main(out):
    random.seed(23)
    tmp = tempfile.mkdtemp()
    whole = [sweep(n) for n in range(int(RATE * SECONDS))]
    busy = [sweep(n, 1800) for n in range(len(whole))]
    for k in range(0, len(busy), 7000):
        for j in range(k, min(k + 200, len(busy))):
            busy[j] = max(-32000, min(32000, busy[j] + random.randint(-20000, 20000)))
    for name, samples in [('sweep', whole), ('a', whole[:CUT]), ('b', whole[CUT:]), ('busy', busy)]:
        write_wave(os.path.join(tmp, name + '.wav'), samples)
    subprocess.run(['sox', os.path.join(tmp, 'sweep.wav'), '-r', '16000',
                    os.path.join(tmp, 'short.wav'), 'trim', '0', '0.25'], check=True)

    def lame(source, target, *options):
        subprocess.run(['lame', '--quiet', '--noreplaygain', *options, os.path.join(tmp, source),
                        os.path.join(out, target)], check=True)
    lame('sweep.wav', 'vbr-v2.mp3', '-V', '2')
    lame('sweep.wav', 'cbr-info.mp3', '-b', '64', '--resample', '44.1')
    lame('sweep.wav', 'cbr-plain.mp3', '-b', '64', '--resample', '44.1', '-t')
    lame('a.wav', 'gapless-a.mp3', '-V', '5')
    lame('b.wav', 'gapless-b.mp3', '-V', '5')
    lame('busy.wav', 'lowest-8k.mp3', '--resample', '8', '-b', '16')
    lame('busy.wav', 'lowest-11k.mp3', '--resample', '11.025', '-V', '5')
    lame('busy.wav', 'lowest-12k.mp3', '--resample', '12', '-b', '24', '-t')
    lame('short.wav', 'short.tmp', '-b', '8', '-t')
    lame('sweep.wav', 'vbr.tmp', '-V', '2', '-t')

    def read(name):
        with open(os.path.join(out, name), 'rb') as f:
            return f.read()

    def write(name, data):
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)
    info, plain = read('cbr-info.mp3'), read('cbr-plain.mp3')
    # A tag, then a second one holding a "picture" full of false syncs.
    write('id3-twice.mp3', id3v2(3, text_frame(3, b'TIT2', b'\0First') + bytes(200)) +
          id3v2(3, text_frame(3, b'APIC', b'\0image/jpeg\0\3\0' + noise_with_false_syncs(4000))) + info)
    # A version 4 tag with a footer, zero padding, and a second tag with false syncs.
    write('id3v24-footer.mp3', id3v2(4, text_frame(4, b'TIT2', b'\3Footer'), 0x10, True) + bytes(512) +
          id3v2(4, text_frame(4, b'PRIV', b'x\0' + noise_with_false_syncs(700))) + plain)
    write('junk-3k.mp3', noise_with_false_syncs(3072) + plain)
    id3v1 = b'TAG' + b'Short'.ljust(30, b' ') + bytes(94) + b'\x0c'
    write('short.mp3', read('short.tmp') + id3v1)
    write('vbri.mp3', with_vbri(read('vbr.tmp')))
    for name in ('short.tmp', 'vbr.tmp'):
        os.remove(os.path.join(out, name))


if __name__ == '__main__':
    main(sys.argv[1])
