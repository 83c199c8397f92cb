// The entry of every test program. A run in which nothing failed but some tests were skipped
// ends with a line of its own, which ctest reads as "skipped" (a skip alone would pass); any
// failure keeps the run failed, whatever else was skipped.
#include <gtest/gtest.h>

#include <stdio.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    if (result == 0 && run.skipped_test_count() > 0) {
        printf("Skipped %d of %d tests, none failed\n", run.skipped_test_count(),
               run.test_to_run_count());
        fflush(stdout);
    }
    return result;
}
