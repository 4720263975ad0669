#pragma once

#include "framework/wnd.h"
#include "model/prompt.h"

// Messages of the core as message boxes owned by the main dialog.
class MessageBoxPrompt : public Prompt
{
  public:
    explicit MessageBoxPrompt(CWnd& owner) : m_owner(owner) {}

    int Show(const std::string& text, const std::string& caption, unsigned type) override;

  private:
    CWnd& m_owner;
};
