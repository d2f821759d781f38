#pragma once
// Mournlight's identity: name, version, support address and web pages.
namespace mournlight {

// Makes Mournlight the program that message boxes and the web links speak for.
void SetProgramIdentity();

}  // namespace mournlight
