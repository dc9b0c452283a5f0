// The sticky commands on the item under the caret.
#include "TCFileList.h"
#include "Prompt.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "StickyStore.h"

namespace {

enum StickyOp { OpUnStickIt = 0, OpUnStickAll = 1, OpStickIt = 2, OpStickConfig = 3, OpToggleStick = 4 };

// Engine text: sticky names are sorted, the dialog's order is not kept.
const int StickySortedText = 50;
const WCHAR StickySortedDefault[] =
    L"Sticked files are sorted automatically.|Disable sorting to set file order manually.";

} // namespace

int CTCFileList::StickyCommand(int op, CStickyStore& store)
{
    if (!m_hWnd || op < OpUnStickIt || op > OpToggleStick)
        return 0;
    EnsureOrder();
    int caretRow = CaretRow();
    CString name;
    bool named = GetItemName(name, MapRowToHost(caretRow));
    if (op == OpUnStickIt || op == OpStickIt || op == OpToggleStick) {
        if (!named || name == L"..")
            return 0;
        if (name.Find(L'\\') >= 0) {
            // An item of a flat view or a search result lives elsewhere.
            AfxMessageBeep(MB_ICONASTERISK);
            return 1;
        }
    }
    const EngineSettings& settings = m_engine.Settings();
    if (op == OpStickConfig) {
        if (settings.StickySort) {
            CString text = m_engine.LoadText(StickySortedText);
            if (text.IsEmpty())
                text = StickySortedDefault;
            text.Replace(L"|", L"\r\n");
            AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
        }
        store.RunDialog(m_hWnd, m_folder, settings.StickySort);
    } else {
        static const int places[] = {StickyRemove, StickyClearFolder, StickyFirst, 0, StickyToggle};
        Forward(LB_SETSEL, FALSE, -1); // every row, whatever the order
        store.SetPosition(m_folder, name, places[op]);
    }
    m_dirty = TRUE;
    RebuildOrder();
    int row = caretRow;
    if (op == OpStickIt) {
        int found = FindRowByName(name);
        if (found >= 0)
            row = found;
    }
    Forward(LB_SETCARETINDEX, row, FALSE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 1;
}
