#include "app/message_box_prompt.h"

int MessageBoxPrompt::Show(const std::string& text, const std::string& caption, unsigned type)
{
    return m_owner.MessageBox(text.c_str(), caption.c_str(), type);
}
