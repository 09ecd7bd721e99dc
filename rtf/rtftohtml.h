#pragma once

// The interface of the conversion library librtftohtml.so: one exported function that
// converts an RTF file into an HTML file, and the options record it takes by value.

#include <climits>
#include <cstddef>
#include <cstdint>

// The options record: 980 bytes, little-endian, passed by value. Fields marked "reserved"
// are filled by the converter with fixed values and mean nothing to the library.
struct RtfToHtmlOptions {
    int32_t flags;            // 0: conversion flags, bits 0 and 1 (reserved)
    char title[120];          // 4: the page's <title>, NUL-terminated UTF-8
    char extension[10];       // 124: extension of the output file with its dot (".htm")
    char fontFace[50];        // 134: the page's font where the RTF names none ("Tahoma")
    char fontSize[12];        // 184: its size in points ("10"), where the RTF states none
    int32_t switches[7];      // 196: reserved
    int32_t templateContent;  // 224: nonzero: write a fragment for a template's placeholder
    char outputFolder[500];   // 228: copy of the output folder (reserved; the argument rules)
    char reserved728[124];    // 728: reserved
    char reserved852[120];    // 852: reserved
    int32_t pictureFiles;     // 972: 0: pictures as data: URIs; else files beside the page
    int32_t reserved976;      // 976: reserved
};

static_assert(sizeof(RtfToHtmlOptions) == 980);
static_assert(offsetof(RtfToHtmlOptions, title) == 4);
static_assert(offsetof(RtfToHtmlOptions, extension) == 124);
static_assert(offsetof(RtfToHtmlOptions, fontFace) == 134);
static_assert(offsetof(RtfToHtmlOptions, fontSize) == 184);
static_assert(offsetof(RtfToHtmlOptions, switches) == 196);
static_assert(offsetof(RtfToHtmlOptions, templateContent) == 224);
static_assert(offsetof(RtfToHtmlOptions, outputFolder) == 228);
static_assert(offsetof(RtfToHtmlOptions, reserved728) == 728);
static_assert(offsetof(RtfToHtmlOptions, reserved852) == 852);
static_assert(offsetof(RtfToHtmlOptions, pictureFiles) == 972);
static_assert(offsetof(RtfToHtmlOptions, reserved976) == 976);

// The two path arguments come from buffers of this size.
inline constexpr size_t kRtfToHtmlPathBytes = PATH_MAX;

// Results of rtftohtml_file.
enum RtfToHtmlResult : int {
    kRtfToHtmlOk = 0,
    kRtfToHtmlBadArguments = 1,
    kRtfToHtmlCannotRead = 2,
    kRtfToHtmlCannotWrite = 3,
    kRtfToHtmlFailed = 4,
};

// Converts the RTF file at rtfPath and writes <outFolder><base name><extension>, the base
// name being the RTF file's name without its extension; returns kRtfToHtmlOk on success.
extern "C" int rtftohtml_file(const char* rtfPath, const char* outFolder, RtfToHtmlOptions options);

using RtfToHtmlFileFunction = int (*)(const char*, const char*, RtfToHtmlOptions);
