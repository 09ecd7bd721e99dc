#pragma once

#include "rtf/picture_renderer.h"

#include <string>

namespace rtf {

// Draws Windows and enhanced metafiles through the program quorvane-picture, one process a
// picture: the metafile libraries see documents from anywhere, so a picture that crashes or
// hangs them takes down that process only, never the program converting. A picture that
// takes longer than the time limit, or that the program cannot draw, stays a placeholder.
// One renderer serves one conversion at a time.
class MetafileRenderer : public PictureRenderer {
public:
    // The program beside this module (the converting program or librtftohtml.so).
    MetafileRenderer();
    explicit MetafileRenderer(std::string programPath, int timeLimitMs = kDefaultTimeLimitMs);

    bool RenderPng(const Picture& picture, int width, int height, std::string& png) const override;

    const std::string& ProgramPath() const { return m_program; }

    static constexpr int kDefaultTimeLimitMs = 20000;
    // Larger pictures are drawn smaller: memory stays bounded however large a document says
    // its picture is.
    static constexpr int kMaxSide = 4096;
    static constexpr size_t kMaxPngBytes = size_t{64} << 20;
    // After this many pictures that ran out of time, the others are not tried.
    static constexpr int kMaxTimeouts = 3;

private:
    std::string m_program;
    int m_timeLimitMs;
    mutable int m_timeouts = 0;
};

}  // namespace rtf
