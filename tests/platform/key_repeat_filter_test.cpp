#include "platform/key_repeat_filter.h"

#include <gtest/gtest.h>

using orbitdeck::KeyRepeatFilter;

TEST(KeyRepeatFilter, OnePressPerPhysicalPress) {
    {
        SCOPED_TRACE("detectable auto-repeat: presses without releases while held");
        KeyRepeatFilter filter;
        EXPECT_TRUE(filter.press(100));
        EXPECT_FALSE(filter.press(600));
        EXPECT_FALSE(filter.press(640));
        filter.release(700);
        EXPECT_TRUE(filter.press(900));
    }
    {
        SCOPED_TRACE("classic auto-repeat: release and press pairs with one server time");
        KeyRepeatFilter filter;
        EXPECT_TRUE(filter.press(100));
        filter.release(600);
        EXPECT_FALSE(filter.press(600));
        filter.release(640);
        EXPECT_FALSE(filter.press(640));
        filter.release(655);
        EXPECT_TRUE(filter.press(800)) << "a real release came between";
    }
    {
        SCOPED_TRACE("a quick tap whose press and release share a time");
        KeyRepeatFilter filter;
        EXPECT_TRUE(filter.press(100));
        filter.release(100);
        EXPECT_TRUE(filter.press(150));
    }
}
