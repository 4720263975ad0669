#pragma once

#include "framework/message_map.h"
#include "framework/runtime_class.h"

// The root of every class that has a message map: windows and the application.
class CCmdTarget
{
  public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    static const CRuntimeClass classCCmdTarget;
    virtual const CRuntimeClass* GetRuntimeClass() const;

    // Runs the handler that this object's map chain gives for the message; false
    // when no entry matches. Handlers' exceptions pass through: window procedures
    // catch them.
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;
};
