// Time to build the settings model at start-up on a large installation, also
// with 10,000 user commands, and to save the hotkeys and view modes. Prints
// "name: value unit".
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <vector>
#include "Duplicates.h"
#include "LargeFixture.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

template <class F>
double Median(int rounds, F step)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        step();
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int rounds = argc > 1 ? _wtoi(argv[1]) : 5;
    CModelFiles files(L"bench_model");
    LargeFixture::Write(files);
    std::unique_ptr<CSettingsModel> model;
    double build = Median(rounds, [&] { model = files.Build(); });
    wprintf(L"settings_model_build: %.1f ms\n", build);
    wprintf(L"settings_model_rows: %d count\n", model->m_hostList.GetCount());
    wprintf(L"settings_model_hotkeys: %d count\n", model->m_holder.GetCount());

    // The same installation with a usercmd.ini of 10,000 user commands.
    const int userCommands = 10000;
    CModelFiles users(L"bench_model_users");
    LargeFixture::Write(users, userCommands);
    std::unique_ptr<CSettingsModel> usersModel;
    double buildUsers = Median(rounds, [&] { usersModel = users.Build(); });
    wprintf(L"settings_model_build_%d_user_commands: %.1f ms\n", userCommands, buildUsers);
    wprintf(L"settings_model_rows_%d_user_commands: %d count\n", userCommands, usersModel->m_hostList.GetCount());

    CHKDuplicates dups;
    double refresh = Median(rounds, [&] { FindDuplicates(model->m_holder, dups); });
    wprintf(L"settings_duplicates_refresh: %.2f ms\n", refresh);

    double saveKeys = Median(rounds, [&] {
        model->m_holder.SetKey(0, L"Ctrl+Alt+Shift+F12");
        model->m_holder.Save(1);
    });
    wprintf(L"settings_keyboard_save: %.1f ms\n", saveKeys);
    double saveModes = Median(rounds, [&] { model->m_modes.SaveModes(); });
    wprintf(L"settings_modes_save: %.1f ms\n", saveModes);
    return 0;
}
