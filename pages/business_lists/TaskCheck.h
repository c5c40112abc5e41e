#pragma once

namespace tarvelo {

class Application;
class Database;
class Settings;

// The check that makes tasks from approaching (end) dates: run at once from
// the reminders page, or once a day when the program starts.
namespace TaskCheck {

// Makes the due tasks, closes lapsed ones unless the completion unit is
// "Nooit", and remembers the day ("LaatsteHerinnering").
void runNow(Application& application, Database& database, const Settings& setup);

// At start-up: runs the check when the office makes tasks automatically and it
// has not run today. Returns whether it ran.
bool runDaily(Application& application, Database& database, const Settings& setup);

} // namespace TaskCheck
} // namespace tarvelo
