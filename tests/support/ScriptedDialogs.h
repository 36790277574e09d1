#pragma once
// A Dialogs stand-in for tests: records every box it is asked to show and
// answers from a script (OK when the script is empty). Installs itself for its
// lifetime.

#include <deque>
#include <vector>

#include "controls/Dialogs.h"

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs() { installDialogs(this); }
    ~ScriptedDialogs() override { installDialogs(nullptr); }

    DialogButton show(const DialogRequest& request) override {
        shown.push_back(request);
        if (answers.empty()) {
            return DialogButton::Ok;
        }
        DialogButton answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<DialogRequest> shown;
    std::deque<DialogButton> answers;
};
