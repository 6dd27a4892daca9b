#pragma once
// The files of an edit scenario opened as real documents through the
// framework, each shown in two views that count their update requests.

#include "document/CVarnoDoc.h"
#include "platform/CMultiDocTemplate.h"
#include "platform/CView.h"
#include "platform/CWinApp.h"
#include "platform/Display.h"
#include "tests/EditScenario.h"
#include "tests/TempDir.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// A view that paints nothing and counts the document's requests to update;
// with a window, a plain widget of the size of the worked example, 1000 x 330.
class CCountingView : public CView {
public:
    explicit CCountingView(bool withWindow)
    {
        if (withWindow) {
            AfxEnsureGuiApplication();
            auto* widget = new QWidget;
            widget->resize(1000, 330);
            Attach(widget, true);
        }
    }
    void OnDraw(CDC*) override {}
    int m_nUpdates = 0;

protected:
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        ++m_nUpdates;
        CView::OnUpdate(pSender, lHint, pHint);
    }
};

class OpenScenario {
public:
    static constexpr int kViewsPerDocument = 2;

    // withWindows binds every view to a widget, for clicks; without, nothing starts the GUI.
    explicit OpenScenario(const edit_scenario::Scenario& scenario, bool withWindows = false)
    {
        m_template = new CMultiDocTemplate(129, RUNTIME_CLASS(CVarnoDoc), nullptr, nullptr);
        m_app.AddDocTemplate(m_template);
        for (const edit_scenario::ScenarioFile& file : scenario.files) {
            std::string path = m_dir.File(file.name);
            EXPECT_TRUE(samples::WriteFile(path, file.before)) << path;
            auto* doc = static_cast<CVarnoDoc*>(m_app.OpenDocumentFile(path.c_str()));
            EXPECT_NE(doc, nullptr) << path;
            m_paths.push_back(path);
            m_docs.push_back(doc);
            for (int i = 0; doc != nullptr && i < kViewsPerDocument; ++i) {
                m_views.push_back(std::make_unique<CCountingView>(withWindows));
                doc->AddView(m_views.back().get());
            }
        }
    }
    ~OpenScenario()
    {
        // The views go first: the last view of a document closes it.
        m_views.clear();
    }

    bool AllOpened() const { return std::find(m_docs.begin(), m_docs.end(), nullptr) == m_docs.end(); }
    CWinApp& App() { return m_app; }
    CVarnoDoc* Doc(std::size_t i) const { return m_docs[i]; }
    const std::vector<CVarnoDoc*>& Docs() const { return m_docs; }
    const std::string& Path(std::size_t i) const { return m_paths[i]; }
    // The update requests that document i's views have received, one count per view.
    std::vector<int> Updates(std::size_t i) const
    {
        std::vector<int> counts;
        for (std::size_t v = i * kViewsPerDocument; v < (i + 1) * kViewsPerDocument && v < m_views.size(); ++v) {
            counts.push_back(m_views[v]->m_nUpdates);
        }
        return counts;
    }
    CCountingView& View(std::size_t doc, int view) const { return *m_views[doc * kViewsPerDocument + view]; }

    // Exactly the scenario's changed documents are marked modified and had
    // each of their views asked to update once; saving every document then
    // writes the scenario's bytes into each file.
    void ExpectOutcome(const edit_scenario::Scenario& scenario)
    {
        for (std::size_t i = 0; i < m_docs.size(); ++i) {
            SCOPED_TRACE(scenario.files[i].name);
            const bool changed = scenario.files[i].changed;
            EXPECT_EQ(m_docs[i]->IsModified() != FALSE, changed);
            EXPECT_EQ(Updates(i), std::vector<int>(kViewsPerDocument, changed ? 1 : 0));
            ASSERT_TRUE(m_docs[i]->DoSave(m_paths[i].c_str()));
            samples::Bytes saved;
            ASSERT_TRUE(samples::ReadFile(m_paths[i], saved));
            EXPECT_EQ(saved.size(), scenario.files[i].after.size());
            EXPECT_EQ(edit_scenario::DifferingOffsets(saved, scenario.files[i].after), std::vector<std::size_t>{})
                << "offsets that differ from the expected file";
        }
    }

    // The scenario's files as they were before the change, no document changed.
    static edit_scenario::Scenario Unchanged(edit_scenario::Scenario scenario)
    {
        for (edit_scenario::ScenarioFile& file : scenario.files) {
            file.after = file.before;
            file.changed = false;
        }
        return scenario;
    }

private:
    TempDir m_dir;
    CWinApp m_app{"varno"};
    CMultiDocTemplate* m_template;
    std::vector<std::string> m_paths;
    std::vector<CVarnoDoc*> m_docs;
    std::vector<std::unique_ptr<CCountingView>> m_views;
};
