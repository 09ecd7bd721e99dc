#include <gtest/gtest.h>
#include <wx/init.h>

// Tests of windowless libraries run with wxWidgets' base initialised, as the programs do.
int main(int argc, char** argv) {
    wxInitializer wx;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
