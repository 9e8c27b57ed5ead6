// The window suites run GoogleTest cases in one QApplication (offscreen).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS(); // listing needs no display
    }
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
