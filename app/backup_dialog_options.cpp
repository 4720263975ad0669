// The rules behind the option boxes. A click has already toggled its box when
// the handler runs; setting a state by message runs no rule.
#include "app/backup_dialog.h"
#include "app/catalog_question.h"
#include "flows/option_files.h"

// Ticked, it clears and locks the four file types and Hidden, which it covers.
void CBackupDialog::OnAllFileTypes()
{
    const bool ticked = m_allFileTypes.GetCheck() != BST_UNCHECKED;
    for (CButton* box : m_typeBoxes)
    {
        if (ticked)
            box->SetCheck(BST_UNCHECKED);
        box->EnableWindow(!ticked);
    }
}

// The companion programs look for the marker at once, not only after a save.
void CBackupDialog::OnAutoBackupOnShutdown()
{
    flows::UpdateEnableAutoMarker(m_installDirectory,
                                  m_autoBackupOnShutdown.GetCheck() == BST_CHECKED, m_files);
}

// Backups on modification need catalogued files; without them the user may
// catalog now, which saves and ends the program.
void CBackupDialog::OnBackupOnModify()
{
    if (flows::IsCataloged(m_installDirectory, m_files))
        return;
    if (m_prompt->Show(kCatalogQuestion) == IDYES)
    {
        if (const std::optional<Message> failure =
                flows::StartCatalogFlow(m_installDirectory, *m_shell, m_files))
            m_prompt->Show(*failure);
        else
            SaveAndExit();
    }
    else
        m_backupOnModify.SetCheck(BST_UNCHECKED);
}

// Only read when a backup runs or the selection is saved.
void CBackupDialog::OnModifiedOnly()
{
}
