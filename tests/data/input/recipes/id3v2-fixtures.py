# Builds the ID3v2 fixtures with mutagen (a peer), from short.mp3.
import shutil
from mutagen.id3 import ID3, TIT2, TPE1, TALB, TYER, TDRC, TCON, COMM

def tagged(name, version, frames):
    shutil.copy("short.mp3", name)
    tags = ID3()
    for frame in frames:
        tags.add(frame)
    tags.save(name, v2_version=version, v23_sep="/")

# Version 2.3, UTF-16 with BOM; an iTunes-style described comment first.
tagged("id3v23-utf16.mp3", 3, [
    TIT2(encoding=1, text="日本語のタイトル"),
    TPE1(encoding=1, text="歌手"),
    TALB(encoding=0, text="Album"),
    TYER(encoding=0, text="2003"),
    TCON(encoding=0, text="(17)"),
    COMM(encoding=0, lang="eng", desc="iTunNORM", text=" 0000044E"),
    COMM(encoding=1, lang="jpn", desc="", text="コメント"),
])
# Version 2.4, UTF-8 and UTF-16BE; a Latin-1 frame holding Shift-JIS bytes.
tagged("id3v24-utf8.mp3", 4, [
    TIT2(encoding=3, text="Café 日本"),
    TPE1(encoding=2, text="Beyoncé"),
    TALB(encoding=0, text="タイトル".encode("cp932").decode("latin-1")),
    TDRC(encoding=3, text="2004-05-06"),
    TCON(encoding=3, text="Jazz+Funk"),
    COMM(encoding=3, lang="eng", desc="", text="Ünïcödé 🎵"),
])
