#include "wire/NodeVersion.h"

#include <cstdio>

namespace mnm {

int CompareVersions(const char* a, const char* b)
{
    int va[3] = {0, 0, 0};
    int vb[3] = {0, 0, 0};
    if (a) std::sscanf(a, "%d.%d.%d", &va[0], &va[1], &va[2]);
    if (b) std::sscanf(b, "%d.%d.%d", &vb[0], &vb[1], &vb[2]);
    for (int i = 0; i < 3; ++i) {
        if (va[i] < vb[i]) return -1;
        if (va[i] > vb[i]) return 1;
    }
    return 0;
}

} // namespace mnm
