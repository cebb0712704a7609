#pragma once
// Long work of many steps (a download of many requests) that the person
// follows and may cancel between steps.

#include <string>

namespace vadrel {

class Progress {
public:
    virtual ~Progress() = default;
    // The step now under way, shown in place of the last one.
    virtual void step(const std::string& text) { (void)text; }
    // Called often while a step waits (an answer, a pause): the window that
    // shows the progress stays alive and its "Cancelar" can be pressed.
    virtual void waiting() {}
    // True once the person has asked to stop.
    virtual bool cancelled() { return false; }
};

}  // namespace vadrel
