#pragma once

#include <functional>

// Shows a message to the user (the main window wires it to a message box).
using MessageSink = std::function<void(const char* text)>;

// The player's messages, as code page 932 bytes.

// "サポートされていない形式です。"
constexpr const char* kMsgUnsupportedFormat = "\x83\x54\x83\x7c\x81\x5b\x83\x67\x82\xb3\x82\xea"
                                              "\x82\xc4\x82\xa2\x82\xc8\x82\xa2\x8c\x60\x8e\xae"
                                              "\x82\xc5\x82\xb7\x81\x42";
// "m3uファイルが開けません"
constexpr const char* kMsgM3UOpenFailed = "m3u\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8a\x4a"
                                          "\x82\xaf\x82\xdc\x82\xb9\x82\xf1";
// "ファイルが開けませんでした"
constexpr const char* kMsgFileCreateFailed = "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8a\x4a"
                                             "\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5"
                                             "\x82\xbd";
// "領域が確保できません"
constexpr const char* kMsgOutOfMemory = "\x97\xcc\x88\xe6\x82\xaa\x8a\x6d\x95\xdb\x82\xc5\x82\xab"
                                        "\x82\xdc\x82\xb9\x82\xf1";
