// How a second start of the program hands its arguments to the first.
#pragma once

#include <string>
#include <vector>

// Names that both instances know.
constexpr char kInstanceMutexName[] = "Quorel_MP3Player_with_ID3TagEditor";
constexpr char kMainWindowProperty[] = "Quorel_MP3Player";
constexpr unsigned kHandoverMessage = 0x80C8;

// "quorel.m3u" in the Windows folder.
std::string HandoverListPath();

// Runs in the second process: finds the first instance's main window by its
// property, restores it when minimised, writes the arguments (when there are
// any) to the hand-over list and posts kHandoverMessage, then brings the
// window to the foreground.
void HandOverToFirstInstance(const std::vector<std::string>& arguments);
