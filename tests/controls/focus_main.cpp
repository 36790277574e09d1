#include <gtest/gtest.h>

#include "app/Application.h"

int main(int argc, char** argv) {
    // The program's own application object: errors raised from event
    // handlers reach its error box, as they do in the program.
    TApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
