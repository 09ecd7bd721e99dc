#pragma once

#include "rtf/model.h"

#include <cstddef>
#include <string_view>

namespace rtf {

// Limits that keep hostile input from exhausting memory or the stack. They are far above
// what any word processor writes; each is enforced where the reader meets it.
struct ReadLimits {
    // Deeper groups share the state of the deepest one. Mail programs nest a few thousand
    // groups; each level costs about a hundred bytes.
    size_t maxGroupDepth = 10000;
    int maxTableDepth = 32;                // deeper \itap values are clamped
    size_t maxCellsPerRow = 1000;          // further \cellx definitions are ignored
    size_t maxPictureBytes = 64u << 20;    // a larger picture is dropped
    size_t maxPicturesBytes = 256u << 20;  // pictures beyond this total are dropped
    size_t maxModelBytes = 1024u << 20;    // reading stops once the model holds this much
};

struct ReadResult {
    Document document;
    bool isRtf = false;      // the input started with "{\rtf"; otherwise it was read as plain text
    bool truncated = false;  // a limit stopped the reader before the end of the input
    // Table cells merged into the cell before them (\clmrg) and into the one above (\clvmrg).
    size_t mergedAcross = 0;
    size_t mergedDown = 0;
};

// Reads an RTF document as word processors, rich edit controls and other programs write it.
// Reading never fails: damaged or truncated input yields what could be read. Input that is
// not RTF is taken as plain text (UTF-8 when valid, else Windows-1252), one paragraph a line.
ReadResult ReadRtf(std::string_view input, const ReadLimits& limits = {});

// Whether input starts like an RTF document.
bool LooksLikeRtf(std::string_view input);

}  // namespace rtf
