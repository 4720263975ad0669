#pragma once

#include "companions/virtual_drive.h"

// The session's drive letters as DOS device names: what subst makes and
// removes. A letter lasts until the user logs off.
class DosDriveLetters : public companions::DriveLetters
{
  public:
    std::uint32_t Used() override;
    std::string TargetOf(char letter) override;
    bool Define(char letter, const std::string& folder) override;
    bool Remove(char letter, const std::string& target) override;
};
