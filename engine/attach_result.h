#pragma once
// Results of SkinH_AttachRes. The program ignores them; they are here for tests,
// tools and anyone debugging a theme. Every failure leaves the calling thread's
// windows exactly as they were.

namespace engine {

enum AttachResult : int {
    kAttached = 0,
    kNullTheme = 1,          // data pointer null or byte count 0
    kTooShort = 2,           // fewer bytes than the header plus the smallest stream
    kBadMagic = 3,           // does not begin with ".SHE"
    kBadVersion = 4,         // the two bytes after the magic are not 00 03
    kBadProperties = 5,      // LZMA property byte >= 225 or an unusable dictionary size
    kAbsurdSize = 6,         // content size 0 or above kMaxContentSize
    kSizeMismatch = 7,       // the stream ends before or after the announced size
    kCorruptStream = 8,      // the LZMA decoder rejects the stream
    kTruncatedStream = 9,    // the stream needs more bytes than were given
    kTrailingBytes = 10,     // bytes follow the stream's end marker
    kBadThemeContent = 11,   // content decoded but fails the theme format's checks
    kOutOfMemory = 12,
    kSystemFailure = 13,     // hook, font or brush could not be created
};

}  // namespace engine
