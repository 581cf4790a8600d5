#include "TextCompare.h"

#include "Cp932.h"

bool IsBlank(const char* text) {
    for (; *text != '\0'; ++text) {
        if (*text != ' ') return false;
    }
    return true;
}

int CompareKeys(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        const signed char byteA = static_cast<signed char>(*a);
        const signed char byteB = static_cast<signed char>(*b);
        if (byteA != byteB) return byteA < byteB ? -1 : 1;
    }
    return 0;
}

namespace {

unsigned char FoldLetter(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

} // namespace

int CompareFolded(const char* a, const char* b, size_t count) {
    bool inTrailByte = false;
    for (size_t i = 0; i < count; ++i) {
        unsigned char byteA = static_cast<unsigned char>(a[i]);
        unsigned char byteB = static_cast<unsigned char>(b[i]);
        if (!inTrailByte) {
            byteA = FoldLetter(byteA);
            byteB = FoldLetter(byteB);
        }
        if (byteA != byteB) return byteA < byteB ? -1 : 1;
        if (byteA == '\0') return 0;
        inTrailByte = !inTrailByte && IsLeadByte932(byteA);
    }
    return 0;
}

bool StripLineFeeds(char* text) {
    bool found = false;
    for (; *text != '\0'; ++text) {
        if (*text == '\n') {
            *text = '\0';
            found = true;
        }
    }
    return found;
}
