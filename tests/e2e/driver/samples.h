#pragma once

#include "tests/e2e/driver/files.h"

#include <string>
#include <vector>

// Two source folders of sample files whose names test the batch text: one
// name holds "é" (outside ASCII), the other "%" (special to the interpreter).
namespace e2e
{

enum class Kind
{
    Picture,
    Audio,
    Video,
    Document,
    Other,
};

struct SampleFile
{
    int source; // index into SampleSources()
    std::string relative;
    Kind kind;
    bool hidden;
};

const std::vector<std::string>& SampleSources();
const std::vector<SampleFile>& SampleFiles();
std::string SamplePath(const SampleFile& file);
std::string SampleContent(const SampleFile& file);
std::string BackupDestination();

// Creates both folders with every sample file, and an empty destination.
void CreateSamples();

// What a backup selection copies: every file, or the files of the kinds ticked.
struct CopiedKinds
{
    bool everything = false;
    std::vector<Kind> kinds;
};

// The destination as the backup should leave it: the copies from both sources
// side by side, by their paths relative to their source.
FileTree ExpectedCopies(const CopiedKinds& copied);

} // namespace e2e
