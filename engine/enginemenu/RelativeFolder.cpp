#include "RelativeFolder.h"
#include <vector>

namespace {

std::vector<CString> SplitPath(LPCWSTR path)
{
    std::vector<CString> parts;
    LPCWSTR start = path;
    for (LPCWSTR p = path;; ++p) {
        if (*p == L'\\' || *p == 0) {
            parts.push_back(CString(start, int(p - start)));
            if (*p == 0)
                break;
            start = p + 1;
        }
    }
    return parts;
}

} // namespace

bool RelativeFolder(LPCWSTR source, LPCWSTR target, CString& result)
{
    if (!source || !target)
        return false;
    std::vector<CString> from = SplitPath(source), to = SplitPath(target);
    for (int i = int(from.size()) - 1; i >= 0; --i) {
        if (from[i].IsEmpty())
            continue;
        for (int j = int(to.size()) - 1; j >= 0; --j) {
            if (to[j].IsEmpty() || to[j].Compare(from[i]) != 0)
                continue;
            result.Empty();
            for (int k = 0; k < j; ++k)
                result += to[k] + L"\\";
            for (size_t k = size_t(i); k < from.size(); ++k) {
                if (k > size_t(i))
                    result += L"\\";
                result += from[k];
            }
            return true;
        }
    }
    return false;
}
