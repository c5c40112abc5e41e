#pragma once

#include <optional>
#include <string>

namespace tarvelo::Keyring {

// The desktop's keyring (the Secret Service on the session bus), when one
// answers. Without a session bus, or with no Secret Service on it, every call
// says so at once instead of waiting.
bool reachable();
// The key kept under this name and folder, as Base64; nothing when none is kept.
std::optional<std::string> find(const std::string& name, const std::string& folder);
// False when the keyring did not take it.
bool keep(const std::string& name, const std::string& folder, const std::string& label, const std::string& base64);

} // namespace tarvelo::Keyring
