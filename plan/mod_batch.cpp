#include "plan/mod_batch.h"

#include "plan/batch_text.h"
#include "platform/code_page.h"

std::string ComposeModBatch(const std::string& destination)
{
    // Two blanks after /I: mod.bat has always been written so.
    const std::string command = "xcopy /m /d /y /s /C /I  ";
    const std::string target = " \"" + platform::AnsiToOem(EscapeBatchPercent(destination)) + "\"";
    std::string text = command + "\"C:\\Documents and Settings\"" + target;
    for (char drive = 'C'; drive <= 'Z'; ++drive)
        text += "\n" + command + drive + ":\\" + target;
    return text;
}
