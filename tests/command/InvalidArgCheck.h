#pragma once
// Checks that a statement raises the invalid-argument exception, and frees the exception object.

#include "platform/afx/CInvalidArgException.h"

#define EXPECT_INVALID_ARG(statement)                                   \
    do {                                                                \
        bool thrown_ = false;                                           \
        try {                                                           \
            statement;                                                  \
        } catch (CInvalidArgException* e_) {                            \
            thrown_ = true;                                             \
            e_->Delete();                                               \
        }                                                               \
        EXPECT_TRUE(thrown_) << "no invalid-argument exception from " #statement; \
    } while (0)
