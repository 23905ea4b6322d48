#pragma once
// The compile progress port: the "Compilieren" dialog as the translator sees it.
#include <string>

class CompileProgress {
public:
    virtual ~CompileProgress() = default;
    virtual void Show() {}                              // clears labels and LineCount
    virtual void SetDateiLabel(const std::string& text) { (void)text; }
    virtual void SetAktDateiLabel(const std::string& text) { (void)text; }
    virtual void ShowProgress(int line) { (void)line; }  // once per finished source line
    virtual void Close() {}
};

CompileProgress& compileProgress();
void setCompileProgress(CompileProgress* progress);  // nullptr: nothing shown
