#include "framework/command_bars.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<ivCommandControl> Picker() {
    auto picker = std::make_unique<ivCommandControl>();
    picker->kind = ivControlKind::ColourPicker;
    picker->id = 100;
    picker->caption = "Font Color";
    picker->dropDown = std::make_unique<ivCommandBar>(ivBarType::Popup, "Font Color");
    picker->dropDown->customisable = false;
    auto automatic = std::make_unique<ivCommandControl>();
    automatic->kind = ivControlKind::AutomaticColour;
    automatic->id = 101;
    picker->dropDown->Add(std::move(automatic));
    return picker;
}

TEST(CommandBarsModel, CopiesAreDeepAndFindingLooksIntoDropDowns) {
    ivCommandBar bar(ivBarType::ToolBar, "Format");
    bar.Add(Picker());
    ivCommandControl* found = bar.Find(101);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->kind, ivControlKind::AutomaticColour);
    EXPECT_EQ(bar.Find(101, false), nullptr);

    auto copy = bar.controls.front()->Clone();
    ASSERT_TRUE(copy->dropDown);
    EXPECT_NE(copy->dropDown.get(), bar.controls.front()->dropDown.get());
    EXPECT_EQ(copy->dropDown->controls.front()->id, 101);
    EXPECT_FALSE(copy->dropDown->customisable);
    copy->dropDown->controls.front()->id = 7;
    EXPECT_EQ(bar.Find(101)->id, 101) << "the original keeps its own";

    // A popup or group is found by the controls in it, never by its own identifier.
    ivCommandBar menu(ivBarType::MenuBar, "Menu Bar");
    auto popup = std::make_unique<ivCommandControl>();
    popup->kind = ivControlKind::Popup;
    popup->id = 100;
    popup->dropDown = std::make_unique<ivCommandBar>(ivBarType::Popup, "File");
    popup->dropDown->Add(Picker());
    menu.Add(std::move(popup));
    EXPECT_EQ(menu.Find(100)->kind, ivControlKind::ColourPicker);
}

TEST(CommandBarsModel, BarsAreFoundByTitleWithoutRegardToCaseAndByNumber) {
    ivCommandBars bars;
    bars.Add(std::make_unique<ivCommandBar>(ivBarType::MenuBar, "Menu Bar"))->barId = 1;
    bars.Add(std::make_unique<ivCommandBar>(ivBarType::ToolBar, "Übersicht"))->barId = 2;
    EXPECT_EQ(bars.FindByTitle("üBERSICHT"), bars.GetAt(1));
    EXPECT_EQ(bars.FindByTitle("Other"), nullptr);
    EXPECT_EQ(bars.FindByBarId(2), bars.GetAt(1));
    EXPECT_EQ(bars.GetAt(5), nullptr);
    bars.HideCommands({3, 4, 3});
    EXPECT_EQ(bars.HiddenCommands(), (std::vector<int>{3, 4}));
}

TEST(CommandBarsModel, OptionsKeepTheirStoredFormAndIgnoreWhatIsUnknown) {
    ivCommandBarOptions options;
    options.fullMenus = false;
    options.largeIcons = true;
    ivCommandBarOptions read;
    read.Parse(options.Format());
    EXPECT_EQ(read, options);
    ivCommandBarOptions kept;
    kept.Parse("FullMenus=2;LargeIcons;Colour=1;ShowTooltips=0;;=1");
    EXPECT_TRUE(kept.fullMenus);
    EXPECT_FALSE(kept.largeIcons);
    EXPECT_FALSE(kept.showTooltips);
    EXPECT_EQ(StripMnemonic("Save &As && Send..."), "Save As & Send...");
}

}  // namespace
