#pragma once

// Marks the classes and functions of the data-model library that other libraries use.
#define TESSIK_API __attribute__((visibility("default")))
