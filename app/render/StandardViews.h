#pragma once

namespace tarvelo {

class ViewRegistry;

// Registers the view of every control kind of the framework.
void registerStandardViews(ViewRegistry& views);

// The framework's views, registered once; what a form view draws with unless
// it is given a registry of its own.
const ViewRegistry& standardViews();

} // namespace tarvelo
