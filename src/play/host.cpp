#include "play/host.h"

#include <exception>

namespace zorvan {

void Host::searchInBackground(std::shared_ptr<SearchJob> job, SearchDone done) {
    struct Answer {
        search::Result result;
        double readyAt = 0;
    };
    auto answer = std::make_shared<Answer>();
    runInBackground(
        [this, job, answer] {
            try {
                answer->result = job->search(job->position, job->limits);
            } catch (const std::exception&) {
                answer->result = search::Result{};  // no answer rather than a lost program
            }
            answer->readyAt = now();
        },
        [done = std::move(done), answer] { done(answer->result, answer->readyAt); });
}

}  // namespace zorvan
