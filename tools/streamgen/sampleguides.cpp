#include "tools/streamgen/sampleguides.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace streamgen {

namespace {

constexpr int kWeekMinutes = 7 * 24 * 60;

// splitmix64: small, and the same sequence on every platform.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // lo..hi inclusive
    int Between(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }
    bool Chance(int percent) { return Between(0, 99) < percent; }
    template <class T>
    const T& Pick(const std::vector<T>& v) { return v[Next() % v.size()]; }

private:
    uint64_t state_;
};

// Texts in ISO-8859-15: 0xE0 a grave, 0xE8 e grave, 0xE9 e acute, 0xEC i
// grave, 0xF2 o grave, 0xF9 u grave, 0xA4 the euro sign.
const std::vector<std::string> kTitles = {
    "Telegiornale Sera",     "Notte sul Lago",        "Il Ritorno del Falco",
    "La Casa sul Molo",      "Cronache di Borgo",     "Calcio Stasera",
    "Viaggio in Sardegna",   "Cartoni al Mattino",    "Concerto d'Estate",
    "Citt\xE0 Segreta",      "Il Commissario Grillo", "Cucina con Nonna Ada",
    "Meteo della Valle",     "Gran Premio d'Ortica",  "Documenti: Il Po",
    "Amori in Collina",      "Perch\xE9 no?",         "Sabato Insieme",
    "La Torre di Vetro",     "Pallavolo Femminile",   "Notiziario Breve",
    "Il Giardino Fiorito",   "Misteri dell'Etna",     "Serata Cinema",
    "Piccoli Esploratori",   "Quiz del Mezzogiorno",  "Ritratti d'Artista",
    "La Strada del Vino",    "Sotto il Vulcano",      "Ultima Corsa",
};

const std::vector<std::string> kSentences = {
    "Una storia di amicizia ambientata in un piccolo paese di montagna. ",
    "Il commissario indaga su un furto misterioso avvenuto durante la festa del patrono. ",
    "Servizi, interviste e approfondimenti sui fatti del giorno. ",
    "La squadra di casa affronta la capolista in una partita decisiva per la stagione. ",
    "Un viaggio tra borghi, castelli e sapori della tradizione. ",
    "Due fratelli ereditano una vecchia trattoria sul lago e decidono di riaprirla. ",
    "Il documentario racconta la vita del fiume dalla sorgente al mare. ",
    "Ospiti in studio, musica dal vivo e tante sorprese per il pubblico. ",
    "Perch\xE9 il mare \xE8 salato? I piccoli esploratori lo scoprono insieme. ",
    "La citt\xE0 si prepara alla grande corsa: pi\xF9 di cento partecipanti al via. ",
    "Un biglietto costa solo 5 \xA4, ma il premio finale vale molto di pi\xF9. ",
    "Nel cuore della notte qualcuno bussa alla porta del faro. ",
    "Ricette semplici e genuine, spiegate passo dopo passo. ",
    "Le previsioni per i prossimi giorni, regione per regione. ",
    "Un giovane pittore cerca la sua strada tra Roma e Parigi.\nSeconda parte. ",
    "Per l'ultima volta il maestro dirige l'orchestra della sua citt\xE0. ",
    "Amore, gelosia e un segreto che pu\xF2 cambiare tutto. ",
};

const std::vector<ThemeName> kThemes = {
    {0x00, "Film"},       {0x01, "Telefilm"},     {0x02, "Commedia"},
    {0x10, "Sport"},      {0x11, "Calcio"},       {0x20, "Notiziario"},
    {0x21, "Documentario"}, {0x22, "Meteo"},      {0x30, "Musica"},
    {0x31, "Bambini"},    {0x40, "Intrattenim."}, {0x41, "Cucina"},
};

std::string SummaryText(Random& rnd)
{
    size_t target = static_cast<size_t>(rnd.Between(100, 600));
    std::string text;
    while (text.size() < target)
        text += rnd.Pick(kSentences);
    text.resize(target);
    while (!text.empty() && text.back() == ' ')
        text.back() = '.';
    return text;
}

void SetStart(GuideEvent& e, int64_t local)
{
    e.weekday = WeekdayOf(local);
    int64_t secs = local - DayOf(local) * kSecondsPerDay;
    e.hour = static_cast<int>(secs / 3600);
    e.minute = static_cast<int>(secs / 60 % 60);
}

// Replays a few days after the first showing, the last one marked.
std::vector<ReplayEntry> Replays(Random& rnd, int64_t start, int channels)
{
    std::vector<ReplayEntry> out;
    int n = rnd.Chance(35) ? rnd.Between(1, 3) : 0;
    for (int r = 0; r < n; ++r) {
        ReplayEntry e;
        e.channelId = static_cast<uint8_t>(rnd.Between(1, channels));
        e.localTime = start + (r + 1) * kSecondsPerDay + rnd.Between(-12, 12) * 1800;
        if (rnd.Chance(30))
            e.flags |= kReplaySubtitles;
        if (rnd.Chance(20))
            e.flags |= kReplayVM;
        if (rnd.Chance(15))
            e.flags |= kReplayVO;
        if (r == n - 1)
            e.flags |= kReplayLast;
        out.push_back(e);
    }
    return out;
}

void AddEvent(Guide& g, Random& rnd, int channel, int64_t local, int minutes, uint32_t pid, int summaryPercent)
{
    GuideEvent e;
    e.channel = channel;
    e.theme = rnd.Pick(kThemes).id;
    SetStart(e, local);
    e.durationMinutes = static_cast<uint16_t>(minutes);
    e.title = rnd.Pick(kTitles);
    e.programmeId = pid;
    g.events.push_back(std::move(e));
    if (rnd.Chance(summaryPercent)) {
        SummaryEntry s;
        s.programmeId = pid;
        s.replays = Replays(rnd, local, static_cast<int>(g.channels.size()));
        s.text = SummaryText(rnd);
        g.summaries.push_back(std::move(s));
    }
}

Guide BaseGuide(int64_t utc)
{
    Guide g;
    g.utc = utc;
    g.offsets.push_back(ItalianOffset(utc));
    g.themes = kThemes;
    WeekStart(g, &g.firstWeekday, &g.firstHour);
    return g;
}

}  // namespace

int64_t WeekStartLocal(const Guide& guide)
{
    int64_t t = guide.utc - kSecondsPerDay;
    return DayOf(t + ProviderOffsetAt(guide, t)) * kSecondsPerDay + 6 * 3600;
}

Guide DemoGuide(int64_t utc)
{
    Guide g = BaseGuide(utc);
    g.channels = {
        {4101, "Canale Brezza"}, {4102, "TeleCorvino"},   {4103, "Rete Lucciola"},
        {4104, "Sole Ventuno"},  {4105, "Cinema Ortica"}, {4106, "Sport Falco"},
    };
    Random rnd(0xD3D0);
    int64_t start = WeekStartLocal(g);
    uint32_t pid = 1000;
    for (int c = 1; c <= static_cast<int>(g.channels.size()); ++c) {
        for (int64_t t = start; t < start + 7 * kSecondsPerDay;) {
            int minutes = 5 * rnd.Between(6, 24);
            AddEvent(g, rnd, c, t, minutes, pid++, 80);
            t += minutes * 60;
        }
    }
    return g;
}

Guide FullGuide(uint64_t seed, int64_t utc)
{
    static const std::vector<std::string> prefixes = {"Tele", "Rete", "Canale", "Radio",
                                                       "Sat", "Video", "Studio", "Onda"};
    static const std::vector<std::string> words = {
        "Aurora", "Brezza", "Corvo",  "Delta",  "Etna",   "Falco",  "Gelso", "Iris",
        "Lago",   "Mare",   "Nuvola", "Olmo",   "Pino",   "Quarzo", "Riva",  "Sole",
        "Tufo",   "Uliva",  "Vento",  "Zefiro"};
    Guide g = BaseGuide(utc);
    for (int c = 0; c < kFullChannels; ++c) {
        std::string name = prefixes[c % prefixes.size()] + " " + words[(c / prefixes.size()) % words.size()];
        g.channels.push_back({static_cast<uint16_t>(5000 + c), name.substr(0, 15)});
    }
    g.events.reserve(kFullTitles);
    g.summaries.reserve(kFullTitles);
    Random rnd(seed ^ 0x5EED5EEDull);
    int64_t start = WeekStartLocal(g);
    uint32_t pid = 1;
    int perChannel = kFullTitles / kFullChannels, extra = kFullTitles % kFullChannels;
    for (int c = 0; c < kFullChannels; ++c) {
        // n durations of 30..120 minutes in steps of 5 that fill the week.
        int n = perChannel + (c < extra ? 1 : 0);
        int base = kWeekMinutes / n / 5 * 5;
        std::vector<int> minutes(static_cast<size_t>(n), base);
        for (int k = 0; k < (kWeekMinutes - base * n) / 5; ++k)
            minutes[static_cast<size_t>(k % n)] += 5;
        for (int k = 0; k < 2 * n; ++k) {
            size_t a = rnd.Next() % minutes.size(), b = rnd.Next() % minutes.size();
            int delta = 5 * rnd.Between(1, 6);
            if (a != b && minutes[a] - delta >= 30 && minutes[b] + delta <= 120) {
                minutes[a] -= delta;
                minutes[b] += delta;
            }
        }
        int64_t t = start;
        for (int m : minutes) {
            AddEvent(g, rnd, c + 1, t, m, pid++, 100);
            t += m * 60;
        }
    }
    return g;
}

}  // namespace streamgen
