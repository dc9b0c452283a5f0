#include "CaretPopupPoint.h"

POINT GetCaretPopupPoint(HWND edit, int textLength, int selStart)
{
    POINT point = {0, 0};
    if (GetWindowLongPtrW(edit, GWL_STYLE) & ES_MULTILINE) {
        if (textLength > 0) {
            int index = selStart >= textLength ? textLength - 1 : selStart;
            if (index < 0)
                index = 0;
            LRESULT answer = SendMessageW(edit, EM_POSFROMCHAR, (WPARAM)index, 0);
            if (answer != -1) {
                point.x = (short)LOWORD(answer);
                point.y = (short)HIWORD(answer);
            }
            point.y += 15;
        }
        ClientToScreen(edit, &point);
        return point;
    }
    RECT rect = {};
    GetWindowRect(edit, &rect);
    point.x = rect.left;
    point.y = rect.bottom + 1;
    return point;
}
