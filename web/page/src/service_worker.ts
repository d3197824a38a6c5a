// The page's service worker, for the page served over HTTPS: it keeps the page's files, so that
// the installed page opens and works with no network. The build names the files and the cache
// (a digest of their contents: a new release makes a new cache and drops the old one).

declare const PWR_CACHE_NAME: string;
declare const PWR_CACHE_FILES: string[];

interface WaitUntilEvent extends Event {
  waitUntil(work: Promise<unknown>): void;
}
interface FetchEvent extends WaitUntilEvent {
  request: Request;
  respondWith(response: Promise<Response>): void;
}
interface WorkerScope {
  addEventListener(type: string, handler: (e: any) => void): void;
  skipWaiting(): Promise<void>;
  clients: { claim(): Promise<void> };
}
const worker = self as unknown as WorkerScope;

worker.addEventListener('install', (e: WaitUntilEvent) => {
  e.waitUntil(caches.open(PWR_CACHE_NAME).then(cache => cache.addAll(PWR_CACHE_FILES)).then(() => worker.skipWaiting()));
});

worker.addEventListener('activate', (e: WaitUntilEvent) => {
  e.waitUntil(caches.keys()
    .then(names => Promise.all(names.filter(n => n.startsWith('pwr455-') && n !== PWR_CACHE_NAME).map(n => caches.delete(n))))
    .then(() => worker.clients.claim()));
});

// The page's own files from the cache (the folder's address is index.html); anything else from
// the network.
worker.addEventListener('fetch', (e: FetchEvent) => {
  if (e.request.method !== 'GET')
    return;
  const url = new URL(e.request.url);
  if (url.origin !== location.origin)
    return;
  e.respondWith(caches.open(PWR_CACHE_NAME).then(async cache => {
    const own = url.pathname.endsWith('/') ? new URL('index.html', url) : url;
    return (await cache.match(own.href, { ignoreSearch: true })) ?? fetch(e.request);
  }));
});
