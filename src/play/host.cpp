#include "play/host.h"

#include <exception>

namespace zorvan {

void Host::searchInBackground(std::shared_ptr<SearchJob> job,
                              std::function<void(const search::Result&)> done) {
    auto result = std::make_shared<search::Result>();
    runInBackground(
        [job, result] {
            try {
                *result = job->search(job->position, job->limits);
            } catch (const std::exception&) {
                *result = search::Result{};  // no answer rather than a lost program
            }
        },
        [done = std::move(done), result] { done(*result); });
}

}  // namespace zorvan
