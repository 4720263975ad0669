#include "framework/message_map.h"

namespace
{
bool Matches(const MessageMapEntry& entry, UINT message, UINT code, UINT id)
{
    return entry.message == message && entry.code == code && entry.id == id;
}
} // namespace

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam)
{
    const UINT code = message == WM_COMMAND ? HIWORD(wParam) : 0;
    const UINT id = message == WM_COMMAND ? LOWORD(wParam) : 0;
    for (; map != nullptr; map = map->base != nullptr ? map->base() : nullptr)
    {
        for (const MessageMapEntry* entry = map->entries; entry->call != nullptr; ++entry)
        {
            if (Matches(*entry, message, code, id))
                return entry;
        }
    }
    return nullptr;
}
