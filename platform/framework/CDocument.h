#pragma once

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CString.h"

#include <cstddef>
#include <vector>

class CView;
class CSingleDocTemplate;

using POSITION = std::size_t; // 0: past the end

// A document with its views. The program's document decides what loading and saving mean.
class CDocument : public CCmdTarget
{
public:
    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;
    ~CDocument() override;

    // Start-up with no file: clears the path and marks the document unchanged.
    virtual bool OnNewDocument();
    // Opens the named file as the document; the base only records the path.
    virtual bool OnOpenDocument(const CString& pathName);
    // Closes every frame that shows this document, then deletes the document itself.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    // A save point of the session (or a logout that may still be called off): the document
    // keeps what it holds on disk and stays open. False: the user wants the session to wait.
    virtual bool SaveModified() { return true; }

    bool OnCmdMsg(UINT) override { return false; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    POSITION GetFirstViewPosition() const { return m_views.empty() ? 0 : 1; }
    CView* GetNextView(POSITION& position) const;

    const CString& GetTitle() const { return m_title; }
    void SetTitle(const CString& title);
    void SetPathName(const CString& pathName);
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    CSingleDocTemplate* m_pDocTemplate = nullptr;

private:
    std::vector<CView*> m_views;
    CString m_title;
    CString m_pathName;
    bool m_modified = false;
};
