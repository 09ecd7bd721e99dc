#include "core/settings.h"
#include "framework/layout_store.h"
#include "platform/registry_store.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace layout_store;

const char* const kLayout =
    "layout2|name=STANDARD;caption=Standard;state=2106108;dir=1;layer=1;row=0;pos=0|"
    "name=pane1;caption=Tasks \\| to do\\;;state=2099196;dir=4;layer=0;row=0;pos=0|"
    "name=documents;caption=;state=768;dir=5;layer=0;row=0;pos=0|"
    "dock_size(1,1,0)=33|dock_size(4,0,0)=182|dock_size(5,0,0)=100|";

TEST(LayoutStore, PerspectiveSplitsIntoPanesAndDocksAndBack) {
    const Perspective perspective = Parse(kLayout);
    ASSERT_EQ(perspective.panes.size(), 3u);
    EXPECT_EQ(perspective.panes[0].first, "STANDARD");
    EXPECT_EQ(perspective.panes[1].first, "pane1") << "escaped separators in a caption";
    ASSERT_EQ(perspective.docks.size(), 3u);
    EXPECT_EQ(perspective.docks[1].direction, 4);
    EXPECT_EQ(perspective.docks[1].size, 182);
    EXPECT_EQ(Format(perspective), kLayout);
}

TEST(LayoutStore, BarsAndPanesAreKeptApartByNameAndLayer) {
    const Perspective perspective = Parse(kLayout);
    const Perspective bars = Select(perspective, {"STANDARD", "FIND"}, {1, 2});
    ASSERT_EQ(bars.panes.size(), 1u);
    ASSERT_EQ(bars.docks.size(), 1u);
    EXPECT_EQ(bars.docks[0].layer, 1);
    const Perspective panes = Select(perspective, {"pane1"}, {0});
    ASSERT_EQ(panes.panes.size(), 1u);
    EXPECT_EQ(panes.docks.size(), 2u);

    // A saved layout replaces what it knows and keeps the rest as it is now.
    Perspective current =
        Parse("layout2|name=STANDARD;state=1;dir=3|name=FIND;state=1;dir=1|dock_size(4,0,0)=180|");
    const Perspective merged = Merge(current, panes);
    ASSERT_EQ(merged.panes.size(), 2u) << "a pane the window does not have is not brought in";
    EXPECT_EQ(merged.panes[0].second, "name=STANDARD;state=1;dir=3");
    ASSERT_EQ(merged.docks.size(), 2u);
    EXPECT_EQ(merged.docks[0].size, 182);
    const Perspective withBars = Merge(current, bars);
    EXPECT_EQ(withBars.panes[0].second, bars.panes[0].second);
}

TEST(LayoutStore, WhatIsNoLayoutGivesAnEmptyOne) {
    EXPECT_TRUE(Parse("").panes.empty());
    EXPECT_TRUE(Parse("layout1|name=x;dir=1|").panes.empty()) << "an older form";
    EXPECT_TRUE(Parse(std::string(70000, 'a')).panes.empty()) << "too long to be ours";
    const Perspective odd = Parse(
        "layout2|caption=no name|name=;dir=1|dock_size(1,2)=3|dock_size(9,0,0)=1|"
        "dock_size(1,0,0)=5x|dock_size(1,0,0)=-5|name=ok;dir=1|name=wild;dir=99|"
        "name=unknown;color=red|name=huge;bestw=99999999|name=word;row=two|");
    ASSERT_EQ(odd.panes.size(), 1u);
    EXPECT_EQ(odd.panes[0].first, "ok");
    EXPECT_TRUE(odd.docks.empty());
    std::string many = "layout2|";
    for (int i = 0; i < 1000; ++i) {
        many += "name=p" + std::to_string(i) + "|";
    }
    EXPECT_LE(Parse(many).panes.size(), 256u);
}

class LayoutVersions : public testing::Test {
protected:
    testing_support::IsolatedSettings m_settings;
    platform::RegistryStore m_registry{m_settings.dir().File("registry.conf")};
};

TEST_F(LayoutVersions, FirstStartWritesTheVersionAndLoadsNothing) {
    EXPECT_FALSE(CheckLayoutVersion(m_registry, kBarsSection, "1.0.1.23"));
    EXPECT_EQ(m_registry.GetString(kBarsSection, kVersionEntry), "1.0.1.23");
    EXPECT_TRUE(CheckLayoutVersion(m_registry, kBarsSection, "1.0.1.23"));
    EXPECT_EQ(m_registry.GetString(kPaneSection, kVersionEntry), "") << "each section alone";
}

TEST_F(LayoutVersions, AnotherVersionIsIgnoredOnceAndAllPartsCount) {
    m_registry.SetString(kPaneSection, kVersionEntry, "1.0.1.22");
    EXPECT_FALSE(CheckLayoutVersion(m_registry, kPaneSection, "1.0.1.23"));
    EXPECT_TRUE(CheckLayoutVersion(m_registry, kPaneSection, "1.0.1.23"));
    m_registry.SetString(kPaneSection, kVersionEntry, "1.0.1");
    EXPECT_FALSE(CheckLayoutVersion(m_registry, kPaneSection, "1.0.1.23"));
    m_registry.SetString(kPaneSection, kVersionEntry, "1..0.1.23");
    EXPECT_TRUE(CheckLayoutVersion(m_registry, kPaneSection, "1.0.1.23"))
        << "consecutive dots count as one";
    EXPECT_EQ(m_registry.GetString(kPaneSection, kVersionEntry), "1.0.1.23");
}

TEST_F(LayoutVersions, LoadLayoutZeroNeverLoadsAndTouchesNothing) {
    SetSetting("/LoadLayout", "0");
    m_registry.SetString(kBarsSection, kVersionEntry, "1.0.1.23");
    EXPECT_FALSE(CheckLayoutVersion(m_registry, kBarsSection, "1.0.1.23"));
    EXPECT_FALSE(CheckLayoutVersion(m_registry, kPaneSection, "1.0.1.23"));
    EXPECT_EQ(m_registry.GetString(kPaneSection, kVersionEntry), "");
    SetSetting("/LoadLayout", "no");
    EXPECT_FALSE(CheckLayoutVersion(m_registry, kBarsSection, "1.0.1.23")) << "reads as 0";
}

}  // namespace
