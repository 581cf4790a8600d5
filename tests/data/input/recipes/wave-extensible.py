# Rewrites a plain WAVE file's format chunk as WAVE_FORMAT_EXTENSIBLE with
# the same samples: tag 0xFFFE, 22 extra bytes, valid bits, channel mask and
# the sub-format GUID whose first two bytes are the plain tag.
import struct, sys
source, target = sys.argv[1], sys.argv[2]
data = open(source, "rb").read()
assert data[12:16] == b"fmt "
size = struct.unpack("<I", data[16:20])[0]
tag, channels, rate, byte_rate, align, bits = struct.unpack("<HHIIHH", data[20:36])
mask = 4 if channels == 1 else 3
guid = struct.pack("<H", tag) + bytes.fromhex("000000001000800000AA00389B71")
fmt = struct.pack("<HHIIHHHHI", 0xFFFE, channels, rate, byte_rate, align, bits, 22, bits, mask) + guid
rest = data[20 + size + (size & 1):]
body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + rest
open(target, "wb").write(b"RIFF" + struct.pack("<I", len(body)) + body)
