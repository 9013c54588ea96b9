#pragma once

#include <gtest/gtest.h>
#include <string>
#include <typeinfo>

// Expects `statement` to throw exactly `type` (not a subclass) with exactly `message`.
#define EXPECT_THROW_EXACT(statement, type, message)                                      \
    do {                                                                                  \
        try {                                                                             \
            statement;                                                                    \
            ADD_FAILURE() << "no exception thrown by " #statement;                        \
        } catch (const type& error) {                                                     \
            EXPECT_EQ(typeid(error), typeid(type)) << "thrown: " << typeid(error).name(); \
            EXPECT_EQ(std::string(error.what()), std::string(message));                   \
        }                                                                                 \
    } while (false)
