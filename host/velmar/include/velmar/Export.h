#pragma once

// Marks what crosses a library boundary: interfaces, exceptions, exported plugin objects.
#define VELMAR_API __attribute__((visibility("default")))
