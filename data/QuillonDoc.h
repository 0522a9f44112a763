#pragma once

#include "platform/framework/CDocument.h"

class CQuillonView;

// The document: loads the contact book at start-up and writes it back when it closes. It
// holds no contacts itself; the list lives in its view's Notebook dialog.
class CQuillonDoc : public CDocument
{
public:
    CQuillonDoc() = default;
    ~CQuillonDoc() override = default;

    bool OnNewDocument() override;
    bool OnOpenDocument(const CString& pathName) override;
    void OnCloseDocument() override;

    CQuillonView* GetView() const;
};
