#pragma once
// Gravelight's identity: name, version, support address and web server.
namespace gravelight {

// Makes Gravelight the program that message boxes, the error log and the
// web links speak for.
void SetProgramIdentity();

}  // namespace gravelight
