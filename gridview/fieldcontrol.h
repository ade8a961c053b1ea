#pragma once

#include "editrules.h"

// What the in-place editor needs from the control it holds (a text box or one of the lists).
class CFieldControl
{
public:
    virtual ~CFieldControl() = default;
    virtual EditRules::EditorKind Kind() const = 0;
};
