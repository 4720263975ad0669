#pragma once

#include <windows.h>

class CCmdTarget;

// A message map is a static table per class, chained to its base class's table.
// Each entry carries a captureless lambda, so handlers keep their own signatures
// and no member-function pointer is ever cast.
using Thunk = LRESULT (*)(CCmdTarget*, WPARAM, LPARAM);

struct MessageMapEntry
{
    UINT message;
    UINT code; // WM_COMMAND: the notification code; otherwise 0
    UINT id;   // WM_COMMAND: the control or command id; otherwise 0
    Thunk call;
};

struct MessageMap
{
    // Reached through a function, so no map depends on another's static initialisation.
    const MessageMap* (*base)();
    const MessageMapEntry* entries; // ends with an entry whose call is null
};

// The entry that handles a message: the first match in the class's own table, then
// in its base's, and so on. WM_COMMAND matches by notification code and id.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam);

#define DECLARE_MESSAGE_MAP()                                                                      \
  protected:                                                                                       \
    static const MessageMap* GetThisMessageMap();                                                  \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const MessageMap* theClass::GetMessageMap() const                                              \
    {                                                                                              \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const MessageMap* theClass::GetThisMessageMap()                                                \
    {                                                                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    {                                                                                              \
        0, 0, 0, nullptr                                                                           \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                     \
    return &map;                                                                                   \
    }

// An entry whose handler takes no arguments and returns nothing.
#define ON_NO_ARGUMENTS_(message, code, id, memberFxn)                                             \
    {static_cast<UINT>(message), code, static_cast<UINT>(id),                                      \
     [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT {                                           \
         static_cast<ThisClass*>(target)->memberFxn();                                             \
         return 0;                                                                                 \
     }},

// Menu commands arrive with code 0, the same code as a button click.
#define ON_COMMAND(id, memberFxn) ON_NO_ARGUMENTS_(WM_COMMAND, 0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_NO_ARGUMENTS_(WM_COMMAND, BN_CLICKED, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_NO_ARGUMENTS_(WM_COMMAND, LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_NO_ARGUMENTS_(WM_COMMAND, LBN_DBLCLK, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_NO_ARGUMENTS_(WM_COMMAND, EN_CHANGE, id, memberFxn)

// LRESULT memberFxn(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                             \
    {static_cast<UINT>(message), 0, 0, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) {      \
         return static_cast<LRESULT>(static_cast<ThisClass*>(target)->memberFxn(wParam, lParam));  \
     }},

// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND()                                                                         \
    {WM_SYSCOMMAND, 0, 0, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT {        \
         static_cast<ThisClass*>(target)->OnSysCommand(static_cast<UINT>(wParam), lParam);         \
         return 0;                                                                                 \
     }},

// void OnPaint()
#define ON_WM_PAINT() ON_NO_ARGUMENTS_(WM_PAINT, 0, 0, OnPaint)

// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, 0, [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT {                   \
         return reinterpret_cast<LRESULT>(static_cast<ThisClass*>(target)->OnQueryDragIcon());     \
     }},

// void OnClose()
#define ON_WM_CLOSE() ON_NO_ARGUMENTS_(WM_CLOSE, 0, 0, OnClose)

// void OnDestroy()
#define ON_WM_DESTROY() ON_NO_ARGUMENTS_(WM_DESTROY, 0, 0, OnDestroy)

// void OnMouseMove(UINT nFlags, CPoint point)
#define ON_WM_MOUSEMOVE()                                                                          \
    {WM_MOUSEMOVE, 0, 0, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT {         \
         static_cast<ThisClass*>(target)->OnMouseMove(                                             \
             static_cast<UINT>(wParam),                                                            \
             CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));      \
         return 0;                                                                                 \
     }},

// void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
#define ON_WM_DRAWITEM()                                                                           \
    {WM_DRAWITEM, 0, 0, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT {          \
         static_cast<ThisClass*>(target)->OnDrawItem(static_cast<int>(wParam),                     \
                                                     reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));  \
         return TRUE;                                                                              \
     }},
