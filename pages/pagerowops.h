#pragma once
#include <cstdint>

// Row creation and deletion of a list-view page. Either no Add and no Delete
// button (-1, null, -1, null, 0), or both working on the row-status column c:
// (c, "createAndGo", c, "destroy", create mode).
struct PageRowOps {
    int32_t createIndex;    // entry of the row-status column, -1 for none
    const char* createText; // value name that creates a row; null hides Add
    int32_t deleteIndex;    // entry of the row-status column, -1 for none
    const char* deleteText; // value name that deletes a row; null hides Delete
    int32_t createMode;     // 0 a new row in one request, 1 in two requests
};
