// Metafile drawings for the text views: drawn by the program beside the tests on a worker
// thread, told on the interface thread, and kept for the next time.

#include "framework/picture_drawings.h"
#include "rtf/reader.h"
#include "tests/support/gui_test_support.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <chrono>
#include <fstream>
#include <sstream>

namespace {

rtf::Picture FixtureMetafile(rtf::PictureFormat format) {
    std::ifstream in(QV_RTF_FIXTURES "/metafiles.rtf", std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    for (const rtf::Picture& picture : rtf::ReadRtf(content.str()).document.pictures) {
        if (picture.format == format) {
            return picture;
        }
    }
    ADD_FAILURE() << "no such picture in the fixture";
    return {};
}

// Pumps events until key is drawn or known undrawable, or the time is up.
ivPictureDrawings::State WaitFor(ivPictureDrawings& drawings, const std::string& key) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    ivPictureDrawings::State state = drawings.Find(key);
    while (state == ivPictureDrawings::State::Waiting &&
           std::chrono::steady_clock::now() < deadline) {
        PumpEvents(20);
        state = drawings.Find(key);
    }
    return state;
}

TEST(PictureDrawings, DrawWindowsAndEnhancedMetafilesOnceAndTellTheirListeners) {
    ivPictureDrawings drawings;
    int told = 0;
    const int listener = drawings.AddListener([&told] { ++told; });
    for (const auto format : {rtf::PictureFormat::Wmf, rtf::PictureFormat::Emf}) {
        const rtf::Picture picture = FixtureMetafile(format);
        const std::string key = ivPictureDrawings::Key(picture, 120, 60);
        EXPECT_EQ(drawings.Find(key), ivPictureDrawings::State::Unknown);
        drawings.Request(key, picture, 120, 60);
        drawings.Request(key, picture, 120, 60);  // asked twice, drawn once
        EXPECT_EQ(drawings.Find(key), ivPictureDrawings::State::Waiting);
        const int before = told;
        ASSERT_EQ(WaitFor(drawings, key), ivPictureDrawings::State::Drawn);
        EXPECT_EQ(told, before + 1);
        std::string png;
        ASSERT_EQ(drawings.Find(key, &png), ivPictureDrawings::State::Drawn);
        wxImage image;
        wxMemoryInputStream in(png.data(), png.size());
        ASSERT_TRUE(image.LoadFile(in, wxBITMAP_TYPE_PNG));
        EXPECT_EQ(image.GetSize(), wxSize(120, 60));
    }
    // Another size is another drawing; the same picture's key does not depend on the copy.
    const rtf::Picture wmf = FixtureMetafile(rtf::PictureFormat::Wmf);
    EXPECT_NE(ivPictureDrawings::Key(wmf, 120, 60), ivPictureDrawings::Key(wmf, 240, 120));
    rtf::Picture copy = wmf;
    EXPECT_EQ(ivPictureDrawings::Key(copy, 120, 60), ivPictureDrawings::Key(wmf, 120, 60));
    copy.data.back() ^= 1;
    EXPECT_NE(ivPictureDrawings::Key(copy, 120, 60), ivPictureDrawings::Key(wmf, 120, 60));
    drawings.RemoveListener(listener);
}

TEST(PictureDrawings, WhatCannotBeDrawnIsSaidSoAndGoingAwayWhileDrawingIsSafe) {
    const rtf::Picture wmf = FixtureMetafile(rtf::PictureFormat::Wmf);
    {
        ivPictureDrawings missing("/nonexistent/quorvane-picture");
        int told = 0;
        missing.AddListener([&told] { ++told; });
        const std::string key = ivPictureDrawings::Key(wmf, 50, 50);
        missing.Request(key, wmf, 50, 50);
        EXPECT_EQ(WaitFor(missing, key), ivPictureDrawings::State::Failed);
        EXPECT_EQ(told, 1);
    }
    {
        rtf::Picture garbage = wmf;
        garbage.data.assign(400, '\x7F');
        ivPictureDrawings drawings;
        const std::string key = ivPictureDrawings::Key(garbage, 50, 50);
        drawings.Request(key, garbage, 50, 50);
        EXPECT_EQ(WaitFor(drawings, key), ivPictureDrawings::State::Failed);
    }
    // Gone with drawings still queued and one being drawn: the worker ends on its own and
    // tells no one.
    {
        ivPictureDrawings drawings;
        for (int size = 10; size < 20; ++size) {
            drawings.Request(ivPictureDrawings::Key(wmf, size, size), wmf, size, size);
        }
    }
    PumpEvents(300);
}

TEST(PictureDrawings, TheViewsShareOneSetOfDrawingsWhileAnyIsAlive) {
    const auto first = ivPictureDrawings::Shared();
    const auto second = ivPictureDrawings::Shared();
    EXPECT_EQ(first.get(), second.get());
}

}  // namespace

wxApp* CreateGuiTestApp() {
    return CreatePlainGuiTestApp();
}
