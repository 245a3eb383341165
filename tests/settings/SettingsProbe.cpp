// settings_probe read NAME | write NAME TEXT | delete NAME
#include "settings/Settings.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "read") == 0) {
        std::fputs(mnm::ReadSetting(argv[2]).c_str(), stdout);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "write") == 0) {
        mnm::EnsureSettingsKey();
        mnm::WriteSetting(argv[2], argv[3]);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "delete") == 0) {
        mnm::DeleteSetting(argv[2]);
        return 0;
    }
    std::fputs("usage: settings_probe read NAME | write NAME TEXT | delete NAME\n", stderr);
    return 2;
}
