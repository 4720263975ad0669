#include "tests/e2e/driver/samples.h"

#include <algorithm>

namespace e2e
{

const std::vector<std::string>& SampleSources()
{
    static const std::vector<std::string> sources = {"C:\\e2e\\samples\\Photos été",
                                                     "C:\\e2e\\samples\\Docs 100%"};
    return sources;
}

const std::vector<SampleFile>& SampleFiles()
{
    static const std::vector<SampleFile> files = {
        {0, "beach.jpg", Kind::Picture, false},
        {0, "logo.PNG", Kind::Picture, false},
        {0, "letter.doc", Kind::Document, false},
        {0, "song.mp3", Kind::Audio, false},
        {0, "clip.avi", Kind::Video, false},
        {0, "raw.xyz", Kind::Other, false},
        {0, "Trip\\sunset.jpg", Kind::Picture, false},
        {0, "Trip\\diary.txt", Kind::Document, false},
        {1, "report.doc", Kind::Document, false},
        {1, "todo.txt", Kind::Document, false},
        {1, "secret.txt", Kind::Document, true},
        {1, "tune.mp3", Kind::Audio, false},
        {1, "data.bin", Kind::Other, false},
        {1, "Archive 2%\\old.doc", Kind::Document, false},
        {1, "Archive 2%\\scan.png", Kind::Picture, false},
    };
    return files;
}

std::string SamplePath(const SampleFile& file)
{
    return SampleSources()[file.source] + "\\" + file.relative;
}

std::string SampleContent(const SampleFile& file)
{
    return "sample " + std::to_string(file.source) + " " + file.relative + "\r\n";
}

std::string BackupDestination()
{
    return "C:\\e2e\\Backup";
}

void CreateSamples()
{
    for (const SampleFile& file : SampleFiles())
    {
        const std::string path = SamplePath(file);
        MakeFolders(path.substr(0, path.rfind('\\')));
        WriteBytes(path, SampleContent(file));
        if (file.hidden)
            SetHidden(path);
    }
    MakeFolders(BackupDestination());
}

FileTree ExpectedCopies(const CopiedKinds& copied)
{
    FileTree tree;
    for (const SampleFile& file : SampleFiles())
        if (copied.everything ||
            std::find(copied.kinds.begin(), copied.kinds.end(), file.kind) != copied.kinds.end())
            tree[file.relative] = SampleContent(file);
    return tree;
}

} // namespace e2e
