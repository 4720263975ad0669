#include "app/icon_position.h"

POINT MinimisedIconPosition(const RECT& client, int iconWidth, int iconHeight)
{
    const int clientWidth = client.right - client.left;
    const int clientHeight = client.bottom - client.top;
    return POINT{(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}
