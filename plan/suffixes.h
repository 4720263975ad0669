#pragma once

#include <array>

// Name patterns the file-type options copy, appended to a source as it
// stands; the copy command matches them without regard to case.
inline constexpr std::array<const char*, 18> kPictureSuffixes = {
    "\\*JPG", "\\*JPEG", "\\*JPE", "\\*BMP", "\\*RLE",  "\\*DIB", "\\*GIF", "\\*PSD", "\\*PDD",
    "\\*EPS", "\\*FLM",  "\\*PCD", "\\*PCT", "\\*PICT", "\\*PXR", "\\*PNG", "\\*TIF", "\\*TIFF"};
inline constexpr std::array<const char*, 6> kAudioSuffixes = {"\\*MP3", "\\*WMA", "\\*WAV",
                                                              "\\*CDA", "\\*MP2", "\\*SND"};
inline constexpr std::array<const char*, 5> kVideoSuffixes = {"\\*AVI", "\\*MPEG", "\\*MPG",
                                                              "\\*M1V", "\\*WMV"};
inline constexpr std::array<const char*, 8> kDocumentSuffixes = {
    "\\*DOC", "\\*XLS", "\\*XLW", "\\*TXT", "\\*MCW", "\\*WPD", "\\*WPS", "\\*RTF"};
