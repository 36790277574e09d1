#pragma once
// Accessibility of the record navigator: the bar reports itself as a tool bar
// whose children are ten push buttons named by their hint texts, each
// available or unavailable, with a press action that clicks it.

// Registers the navigator's accessible interfaces with Qt (once per process).
void installNavigatorAccessibility();
