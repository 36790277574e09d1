#pragma once
// Parses the text of a window description into a ComponentDescription tree.
//
// The format is line based and indented by two spaces per level:
//
//   # a comment line (blank lines are ignored too)
//   component Form1 TForm1                 one header per component: name, class
//     Caption = "Form1"                    a setting: Name = value
//     Font.Height = -11                    dotted names address nested settings
//     Color = clBtnFace                    an identifier
//     OptionsEx = [dgxFixed3D, dgxHighlightFocus]          a set
//     DataSource = @DataSource1            a reference to another component
//     AfterInsert = ClientDataSet1AfterInsert()            an event handler (a method of the root)
//     KeyList = lines                      a list of lines, one string per deeper line
//       "1"
//       "0"
//     Data = hex                           bytes, as pairs of hex digits on deeper lines
//       72 00 00 00 96 19 E0 BD
//     Columns = items                      a collection: "item" lines, their settings deeper
//       item
//         FieldName = "AInt"
//     component DBText1 TDBText            a component stored inside: settings come first
//
// Strings are double-quoted UTF-8 with the escapes \" \\ \n \t and \xHH.
// Integers are decimal with an optional sign. A block keyword (lines, hex,
// items) with no deeper lines stands for an empty value. Exactly one component
// sits at the top: the root, which owns every other one.

#include <string_view>

#include "component/Description.h"

// Throws EReadError "Line N: <what is wrong>" for a malformed text.
ComponentDescription parseDescription(std::string_view text);
