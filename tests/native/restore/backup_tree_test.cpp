#include "restore/backup_tree.h"
#include "tests/native/support/backup_contents.h"

#include <gtest/gtest.h>

namespace
{

// Each node below `nodes`, indented by its depth: "[x] " before a ticked one,
// a holding's line, an item's name.
void Show(const restore::BackupTree& tree, const std::vector<std::size_t>& nodes,
          const std::string& indent, std::vector<std::string>& lines)
{
    for (std::size_t node : nodes)
    {
        const restore::TreeNode& shown = tree.Node(node);
        lines.push_back(indent + (shown.checked ? "[x] " : "") +
                        (shown.isHolding ? shown.line : shown.at.item.name));
        Show(tree, shown.children, indent + "  ", lines);
    }
}

std::vector<std::string> Shown(const restore::BackupTree& tree)
{
    std::vector<std::string> lines;
    Show(tree, tree.Tops(), "", lines);
    return lines;
}

// "holding copyPath" of each item a restore is asked for.
std::vector<std::string> Checked(const restore::BackupTree& tree)
{
    std::vector<std::string> items;
    for (const restore::RestoreItem& item : tree.Checked())
        items.push_back(std::to_string(item.holding) + " " + item.copyPath);
    return items;
}

// The child of `node` with this name.
std::size_t Child(const restore::BackupTree& tree, std::size_t node, const std::string& name)
{
    for (std::size_t child : tree.Node(node).children)
        if (tree.Node(child).at.item.name == name)
            return child;
    ADD_FAILURE() << "no " << name;
    return node;
}

} // namespace

// A folder lists its items when it first opens, ticked where it is; a ticked
// node stands for all it holds, so clearing an item clears the folders above.
TEST(BackupTree, OpensFoldersAndTicksWhatIsBelowAndAbove)
{
    FakeFiles files;
    for (const char* path :
         {"\\Work\\plan.txt", "\\Work\\notes.txt", "\\report.doc", "\\systemstate\\win.ini"})
        files.AddFile("E:\\Backup" + std::string(path), 100);
    files.AddFolder("E:\\Backup\\Empty", false);
    const restore::BackupContents contents =
        Contents(Selection({"C:\\W"}, "E:\\Backup", "1000000000"), files);
    restore::BackupTree tree;
    tree.ShowHoldings(&contents);
    const std::size_t top = tree.Tops()[0];
    EXPECT_EQ((std::vector<std::string>{"C:\\W", "System State"}), Shown(tree));
    EXPECT_TRUE(tree.Open(top));
    EXPECT_FALSE(tree.Open(top));
    const std::size_t work = Child(tree, top, "Work"), report = Child(tree, top, "report.doc");
    const std::size_t empty = Child(tree, top, "Empty");
    EXPECT_TRUE(tree.Open(empty));
    EXPECT_FALSE(tree.Node(empty).opens);
    EXPECT_TRUE(tree.Node(work).opens);

    tree.Check(top, true);
    tree.Open(work);
    EXPECT_EQ(
        (std::vector<std::string>{"[x] C:\\W", "  [x] Empty", "  [x] Work", "    [x] notes.txt",
                                  "    [x] plan.txt", "  [x] report.doc", "System State"}),
        Shown(tree));
    EXPECT_EQ(std::vector<std::string>{"0 "}, Checked(tree));

    tree.Check(Child(tree, work, "plan.txt"), false);
    EXPECT_EQ((std::vector<std::string>{"C:\\W", "  [x] Empty", "  Work", "    [x] notes.txt",
                                        "    plan.txt", "  [x] report.doc", "System State"}),
              Shown(tree));
    EXPECT_EQ((std::vector<std::string>{"0 E:\\Backup\\Empty", "0 E:\\Backup\\Work\\notes.txt",
                                        "0 E:\\Backup\\report.doc"}),
              Checked(tree));

    EXPECT_EQ("report.doc", tree.FileAt(report)->item.name);
    EXPECT_EQ(nullptr, tree.FileAt(work));
    EXPECT_EQ(nullptr, tree.FileAt(top));
}

// Found files stand below their holding and the folders between, which stand
// only for what was found; a drive-root destination keeps the folders' names.
TEST(BackupTree, ShowsFoundFilesBelowTheirFolders)
{
    FakeFiles files;
    files.AddFolder("E:\\", false);
    const restore::BackupContents contents =
        Contents(Selection({"C:\\W"}, "E:\\", "1000000000"), files);
    restore::BackupTree tree;
    tree.ShowHoldings(&contents);
    const auto found = [](const std::string& copyPath) {
        return restore::FoundFile{0, {std::string(platform::LastComponent(copyPath)), copyPath}};
    };
    tree.ShowFound({found("E:\\Work\\Sub\\notes.txt"), found("E:\\Work\\plan.txt"),
                    found("E:\\Work\\Sub\\more.txt")});
    EXPECT_EQ((std::vector<std::string>{"C:\\W", "  Work", "    Sub", "      notes.txt",
                                        "      more.txt", "    plan.txt"}),
              Shown(tree));
    tree.Check(tree.Tops()[0], true);
    EXPECT_EQ((std::vector<std::string>{"0 E:\\Work\\Sub\\notes.txt", "0 E:\\Work\\Sub\\more.txt",
                                        "0 E:\\Work\\plan.txt"}),
              Checked(tree));
}
