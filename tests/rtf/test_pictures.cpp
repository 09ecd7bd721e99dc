// Pictures that browsers cannot show: metafiles drawn by quorvane-picture in a process of
// their own, bitmaps turned into .bmp files, and placeholders where nothing can draw them.

#include "rtf/convert.h"
#include "rtf/docx_writer.h"
#include "rtf/metafile_renderer.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"
#include "tests/rtf/rtf_test_util.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>

namespace {

using rtf::PictureFormat;
using rtf_test::FixturePath;
using rtf_test::ReadBytes;

uint32_t BigEndian(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) {
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return v;
}

const rtf::Document& Metafiles() {
    static const rtf::Document document =
        rtf::ReadRtf(ReadBytes(FixturePath("metafiles.rtf"))).document;
    return document;
}

TEST(Pictures, StandInsAreKeptBesideTheirPictureAndWrittenBack) {
    const rtf::Document& d = Metafiles();
    ASSERT_EQ(d.pictures.size(), 6u);  // the stand-ins are no pictures of their own
    EXPECT_EQ(d.pictures[2].format, PictureFormat::Png);
    ASSERT_EQ(d.pictures[2].alternatives.size(), 1u);
    EXPECT_EQ(d.pictures[2].alternatives[0].format, PictureFormat::Wmf);
    EXPECT_EQ(d.pictures[3].format, PictureFormat::Emf);
    ASSERT_EQ(d.pictures[3].alternatives.size(), 1u);
    const std::string rtf = rtf::WriteRtf(d);
    EXPECT_NE(rtf.find("{\\*\\shppict{\\pict\\pngblip"), std::string::npos);
    EXPECT_NE(rtf.find("}{\\nonshppict{\\pict\\wmetafile8"), std::string::npos);
    EXPECT_TRUE(rtf::ReadRtf(rtf).document == d);
}

TEST(Pictures, MetafilesAreDrawnAtTheRequestedSize) {
    const rtf::MetafileRenderer renderer;
    for (const size_t index : {size_t{0}, size_t{1}}) {
        std::string png;
        ASSERT_TRUE(renderer.RenderPng(Metafiles().pictures[index], 300, 150, png))
            << renderer.ProgramPath();
        ASSERT_GE(png.size(), 24u);
        EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
        EXPECT_EQ(BigEndian(png, 16), 300u);
        EXPECT_EQ(BigEndian(png, 20), 150u);
    }
    std::string png;
    rtf::Picture garbage{PictureFormat::Emf, "not a metafile at all", 100, 100, {}};
    EXPECT_FALSE(renderer.RenderPng(garbage, 10, 10, png));
    rtf::Picture pict{PictureFormat::MacPict, "\x00\x11", 100, 100, {}};
    EXPECT_FALSE(renderer.RenderPng(pict, 10, 10, png));
    EXPECT_TRUE(png.empty());
}

TEST(Pictures, APageShowsEveryPictureOrAPlaceholderOfItsSize) {
    const rtf::MetafileRenderer renderer;
    rtf::HtmlOptions options;
    options.fragment = true;
    options.renderer = &renderer;
    const std::string html = rtf::WriteHtml(Metafiles(), options);
    size_t pngs = 0;
    for (size_t at = html.find("data:image/png;base64,"); at != std::string::npos;
         at = html.find("data:image/png;base64,", at + 1)) {
        ++pngs;
    }
    EXPECT_EQ(pngs, 4u) << "WMF, EMF, the PNG itself and the EMF beside its WMF";
    EXPECT_NE(html.find("data:image/bmp;base64,Qk"), std::string::npos);
    // 4000 by 2000 twips are 267 by 133 CSS pixels.
    EXPECT_NE(html.find("alt=\"\" width=\"267\" height=\"133\">"), std::string::npos);
    EXPECT_NE(
        html.find("<span class=\"picture-missing\" role=\"img\" title=\"PICT picture\" "
                  "style=\"display:inline-block;box-sizing:border-box;width:32px;height:32px;"),
        std::string::npos)
        << html;
}

// The program may crash or hang on a hostile picture; the conversion goes on without it.
TEST(Pictures, ACrashingOrHangingDrawerCostsOnlyThatPicture) {
    testing_support::TempDir dir;
    const std::string hang = dir.File("hang");
    const std::string crash = dir.File("crash");
    testing_support::WriteFile(hang, "#!/bin/sh\nexec sleep 30\n");
    testing_support::WriteFile(crash, "#!/bin/sh\nkill -SEGV $$\n");
    chmod(hang.c_str(), 0755);
    chmod(crash.c_str(), 0755);
    const rtf::Picture& wmf = Metafiles().pictures[0];
    std::string png;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(rtf::MetafileRenderer(hang, 300).RenderPng(wmf, 10, 10, png));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    // After a few pictures that ran out of time the rest are not tried.
    const rtf::MetafileRenderer slow(hang, 100);
    for (int i = 0; i < rtf::MetafileRenderer::kMaxTimeouts; ++i) {
        EXPECT_FALSE(slow.RenderPng(wmf, 10, 10, png));
    }
    const auto later = std::chrono::steady_clock::now();
    EXPECT_FALSE(slow.RenderPng(wmf, 10, 10, png));
    EXPECT_LT(std::chrono::steady_clock::now() - later, std::chrono::milliseconds(50));
    EXPECT_FALSE(rtf::MetafileRenderer(crash).RenderPng(wmf, 10, 10, png));
    EXPECT_FALSE(rtf::MetafileRenderer(dir.File("missing")).RenderPng(wmf, 10, 10, png));
    EXPECT_TRUE(png.empty());
}

TEST(Pictures, BitmapsAndMetafilesBecomeFilesOfTheirKind) {
    const rtf::Document& d = Metafiles();
    const std::string bmp = rtf::DibToBmp(d.pictures[4].data);
    ASSERT_EQ(bmp.size(), 14 + d.pictures[4].data.size());
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[10]), 54u) << "pixels follow the 40-byte header";
    EXPECT_TRUE(rtf::DibToBmp("short").empty());

    const std::string wmf = rtf::PlaceableWmf(d.pictures[0].data, 4000, 2000);
    ASSERT_EQ(wmf.size(), 22 + d.pictures[0].data.size());
    EXPECT_EQ(wmf.substr(0, 4), "\xD7\xCD\xC6\x9A");
    // Its extent is the metafile's window (200 by 100 units) and 200 units are 4000 twips.
    EXPECT_EQ(static_cast<unsigned char>(wmf[10]), 200u);
    EXPECT_EQ(static_cast<unsigned char>(wmf[12]), 100u);
    EXPECT_EQ(static_cast<unsigned char>(wmf[14]) | static_cast<unsigned char>(wmf[15]) << 8, 72);
    uint16_t checksum = 0;
    for (size_t i = 0; i < 20; i += 2) {
        checksum ^= static_cast<uint16_t>(static_cast<unsigned char>(wmf[i]) |
                                          static_cast<unsigned char>(wmf[i + 1]) << 8);
    }
    EXPECT_EQ(checksum, static_cast<unsigned char>(wmf[20]) | static_cast<unsigned char>(wmf[21])
                                                                  << 8);
    EXPECT_EQ(rtf::PlaceableWmf(wmf, 4000, 2000), wmf) << "a header is not added twice";

    EXPECT_TRUE(rtf::IsWholeMetafile(d.pictures[0]));
    EXPECT_TRUE(rtf::IsWholeMetafile(d.pictures[1]));
    rtf::Picture cut = d.pictures[1];
    cut.data.resize(100);
    EXPECT_FALSE(rtf::IsWholeMetafile(cut));
    cut = d.pictures[0];
    cut.data.resize(40);
    EXPECT_FALSE(rtf::IsWholeMetafile(cut));

    rtf::DocxContext context;
    rtf::WriteWordprocessingML(d, context);
    std::vector<std::string> types;
    for (const rtf::DocxMedia& media : context.Media()) {
        types.push_back(media.contentType);
    }
    EXPECT_EQ(types, (std::vector<std::string>{"image/x-wmf", "image/x-emf", "image/png",
                                               "image/x-emf", "image/bmp"}));
}

}  // namespace
