#include "PanelObjects.h"

namespace {

template <typename T>
void DeletePair(T* (&pair)[2])
{
    for (T*& object : pair) {
        delete object;
        object = nullptr;
    }
}

template <typename T>
int CountAttached(T* const (&pair)[2])
{
    int count = 0;
    for (T* object : pair)
        if (object && object->Window())
            ++count;
    return count;
}

} // namespace

void CPanelObjects::DeleteAll()
{
    DeletePair(pathWnd);
    DeletePair(driveCombo);
    DeletePair(fileList);
    DeletePair(tabs);
}

int CPanelObjects::AttachedCount() const
{
    return CountAttached(fileList) + CountAttached(tabs) + CountAttached(pathWnd) + CountAttached(driveCombo);
}
