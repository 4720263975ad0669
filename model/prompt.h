#pragma once

#include <string>

// A message the program shows the user: text, caption and message-box type.
struct Message
{
    std::string text;
    std::string caption;
    unsigned type = 0;

    bool operator==(const Message& other) const
    {
        return text == other.text && caption == other.caption && type == other.type;
    }
};

// Stop icon with an OK button: every error message of the program.
constexpr unsigned kStopType = 0x10;

// How the core shows a message box; the dialog answers with a real one,
// tests with a recording fake. Returns the button the user pressed.
struct Prompt
{
    virtual ~Prompt() = default;
    virtual int Show(const std::string& text, const std::string& caption, unsigned type) = 0;

    int Show(const Message& message) { return Show(message.text, message.caption, message.type); }
};
