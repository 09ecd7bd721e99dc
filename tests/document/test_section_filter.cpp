#include "document/section_filter.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Titles(const ivSectionFilter& filter, std::string_view typed) {
    std::vector<std::string> titles;
    for (size_t i : filter.Match(typed)) {
        titles.push_back(filter.Rows()[i].title);
    }
    return titles;
}

using Titles_ = std::vector<std::string>;

TEST(SectionFilter, EveryWordMustBeInTheNumberingOrTitleWhateverTheCase) {
    const ivSectionFilter filter({{"Document", "", "Handbuch", "", 0},
                                  {"Section", "1", "Einführung", "{1}", 1},
                                  {"Section", "1.1", "Straße und Weg", "{2}", 2},
                                  {"Section", "2", "ΑΛΦΑ", "{3}", 1},
                                  {"Section", "12", "Anhang", "{4}", 1}});
    EXPECT_EQ(filter.Rows().size(), 4u) << "the document row is no section to link to";
    EXPECT_EQ(Titles(filter, ""), (Titles_{"Einführung", "Straße und Weg", "ΑΛΦΑ", "Anhang"}));
    EXPECT_EQ(Titles(filter, "   "), Titles(filter, ""));
    EXPECT_EQ(Titles(filter, "EINFÜ"), (Titles_{"Einführung"}));
    EXPECT_EQ(Titles(filter, "strasse"), (Titles_{"Straße und Weg"}));
    EXPECT_EQ(Titles(filter, "weg  STR"), (Titles_{"Straße und Weg"})) << "in any order";
    EXPECT_EQ(Titles(filter, "άλφα"), Titles_{}) << "accents are not folded away";
    EXPECT_EQ(Titles(filter, "αλφα"), (Titles_{"ΑΛΦΑ"}));
    EXPECT_EQ(Titles(filter, "1."), (Titles_{"Straße und Weg"}));
    EXPECT_EQ(Titles(filter, "1"), (Titles_{"Einführung", "Straße und Weg", "Anhang"}));
    EXPECT_EQ(Titles(filter, "handbuch"), Titles_{});
    EXPECT_EQ(Titles(filter, "weg xyz"), Titles_{});
}

}  // namespace
