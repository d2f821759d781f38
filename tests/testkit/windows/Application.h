#pragma once
// The one Qt application of a test program, made on first use.
namespace testkit {

void EnsureApplication();

}  // namespace testkit
