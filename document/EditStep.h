#pragma once
// One step of the edit history: what one edit did to a set of documents. For each document that
// it changed the step keeps the runs of bytes of its image and of its entry flags that differ,
// with their values before and after, and the edit state that the document went from and to;
// so memory grows with the edits, not with the files. Undo and redo put back the one or the
// other, through the handler, in every such document that is still open, each showing again the
// table that the step changed.

#include "document/CVarnoDoc.h"

#include <QUndoCommand>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class EditStep : public QUndoCommand {
public:
    // Takes a snapshot of the documents; Finish keeps what the edit changed since.
    EditStep(const QString& text, const std::vector<CVarnoDoc*>& documents);
    ~EditStep() override;

    // Keeps what changed in each document since the snapshot, and drops the snapshot.
    // False when the edit changed nothing in any of them.
    bool Finish();
    // Whether any document that the step changed is still open.
    bool HasOpenDocument() const;
    // Names the step as it was made, followed by how many of its files are still open when
    // some have closed: "Change C0 to 0410 (2 of 4 files open)".
    void Rename();

    // Each changed document that is still open shows the table that the step changed, and gets its
    // bytes, entry flags and edit state from before the step back (after it, for redo), is marked modified unless that state is the one
    // its file holds, and has all its views repaint. With none open the step makes itself
    // obsolete, and the stack drops it. The stack's first redo, as it takes the step, finds the
    // edit done.
    void undo() override;
    void redo() override;

private:
    struct Run {
        std::size_t offset;
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
    };
    struct DocumentChange {
        std::weak_ptr<CVarnoDoc::EditState> document;
        std::size_t imageSize;
        std::vector<Run> image;
        std::vector<Run> flags;
        // The table shown, whose entry flags the runs hold: a GDI module's other tables keep theirs apart.
        std::size_t table;
        std::uint64_t stateBefore;
        std::uint64_t stateAfter;
    };
    struct Snapshot {
        CVarnoDoc* document;
        std::vector<std::uint8_t> image;
        std::array<std::uint8_t, 256> flags;
        std::size_t table;
        bool modified;
    };

    std::size_t OpenDocumentCount() const;
    static std::vector<Run> ChangedRuns(const std::uint8_t* before, const std::uint8_t* after, std::size_t size);
    void PutBack(bool after);

    QString m_name;
    std::vector<Snapshot> m_snapshots;
    std::vector<DocumentChange> m_changes;
    bool m_firstRedo = true;
};
