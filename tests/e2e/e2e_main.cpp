#include <exception>
#include <gtest/gtest.h>
#include <iostream>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    try {
        return RUN_ALL_TESTS();
    } catch (const std::exception& error) {
        std::cerr << "e2e: " << error.what() << "\n";
        return 2;
    }
}
